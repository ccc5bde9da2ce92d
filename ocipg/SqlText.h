#pragma once

// What the library needs to know of a statement's text before the server
// sees it.

#include "oracle/oci_api.h"

#include <string>
#include <string_view>

namespace ocipg {

struct SqlText {
    ub2 m_nType = OCI_STMT_UNKNOWN;  // from the leading keyword
    bool m_bEmpty = true;            // nothing but blanks and comments
    bool m_bSeveral = false;         // more than one statement
    std::string m_strServerText;     // Oracle placeholders as $1, $2, ...
    int m_nPlaceholders = 0;
};

// Oracle placeholders (:name, :1) become $n in order of appearance, outside
// literals, quoted names and comments; a ':' right after a name, a number,
// ']' or ')' is left alone (array slices, casts).
SqlText ScanSql(std::string_view text);

}  // namespace ocipg
