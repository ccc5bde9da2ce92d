select e'a\'b', 'c\', xe'd', b'01''1', u&'\0061' uescape '!', U&"x", n'y', $t$ ; $t$, a$b$, 1$x$;$x$, 1e+5x, .5, 1..2
  from "t""q" where a = :p and b[1:2] = x::int and c := :1 -- note
; /* /* nested */ */