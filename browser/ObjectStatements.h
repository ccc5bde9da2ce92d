#pragma once

#include <string>
#include <string_view>

namespace browser {

// Statements for one table or view, built from the owner and name its catalog
// listing gave; the owner is empty when the listing named none. The node's
// label cannot stand in for them: "A"."B.C" and "A.B"."C" read alike.

// Its columns, from ALL_TAB_COLUMNS; names go in as string literals with
// every single quote doubled. Without an owner, every table of that name the
// account can see.
std::string TableColumnsStatement(std::string_view owner, std::string_view name);

// Its rows. A plain upper-case identifier (a letter, then letters, digits or
// "_") goes in as it stands; any other name is quoted, with its double quotes
// doubled, so that it means exactly the stored name.
std::string TableDataStatement(std::string_view owner, std::string_view name);

}  // namespace browser
