#pragma once

// What the library needs to know of a statement's text before the server
// sees it, read with PostgreSQL's own token boundaries (SqlLexer).

#include "oci/oci_api.h"

#include <string>
#include <string_view>

namespace ocipg {

struct SqlText {
    ub2 m_nType = OCI_STMT_UNKNOWN;  // from the leading keyword
    sb4 m_nRefusal = 0;              // the Oracle error the text gets without the server: 900, 911
    std::string m_strServerText;     // Oracle placeholders as $1, $2, ...
    int m_nPlaceholders = 0;
};

// Oracle placeholders (:name, :12) become $n in order of appearance, outside
// literals, quoted names and comments; a ':' right after a name, a number,
// ']', ')' or another ':' is left alone (array slices, casts). Refused: a
// text of blanks and comments (ORA-00900); anything but blanks and comments
// after a ';', a PostgreSQL parameter ($1), a '$' that opens nothing or a NUL
// character (ORA-00911).
SqlText ScanSql(std::string_view text);

}  // namespace ocipg
