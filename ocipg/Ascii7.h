#pragma once

// US7ASCII, the client character set of Oracle's client when NLS_LANG names
// none: every character outside ASCII reaches either side as '?'.
// PostgreSQL's SQL_ASCII would pass the bytes through unconverted, so the
// server is asked for UTF8 and the library folds.

#include <libpq-fe.h>

#include <string>
#include <string_view>

namespace ocipg {

// Text from the program: each byte above 127 is no US7ASCII character.
std::string Ascii7FromProgram(std::string_view text);

// Folds every later result of conn (values, column names, error fields) to
// US7ASCII, one '?' per UTF-8 character; false when that cannot be set up.
bool FoldResultsToAscii7(PGconn* conn);

}  // namespace ocipg
