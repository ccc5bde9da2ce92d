#pragma once

#include <string>
#include <string_view>

namespace browser {

// Statements for one table or view node, built from its label and the text
// of the scope node that listed it. A label from an "All" node is owner, ".",
// name and is split at its first "."; a label from a "User" node is the name
// alone and is never split, dots and all.

// Its columns, from ALL_TAB_COLUMNS; names go in as string literals with
// every single quote doubled.
std::string TableColumnsStatement(std::string_view scope, std::string_view label);

// Its rows. A plain upper-case identifier (a letter, then letters, digits,
// "_", "$" or "#") goes in as it stands; any other name is quoted, with its
// double quotes doubled, so that it means exactly the stored name.
std::string TableDataStatement(std::string_view scope, std::string_view label);

}  // namespace browser
