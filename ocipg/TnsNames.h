#pragma once

// tnsnames.ora as Oracle's client reads it: the file in $TNS_ADMIN, else in
// $ORACLE_HOME/network/admin. An entry begins in column 1 and its further
// lines are indented, so an entry that cannot be read costs only itself.
// IFILE = path includes another file where it stands (a relative path from
// the including file's folder), at most 8 levels deep and never into a file
// already being read.

#include <functional>
#include <string_view>

namespace ocipg {

// Offers take the descriptor text of each entry that alias names, in the
// order of the files, until take accepts one (returns true); false when
// none was accepted.
bool FindTnsEntry(std::string_view alias, const std::function<bool(std::string_view)>& take);

}  // namespace ocipg
