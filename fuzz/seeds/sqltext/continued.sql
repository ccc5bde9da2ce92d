select e'a'
-- continued
'\'; select 2 --'; select deferrable, u&deferrable from user_constraints;;