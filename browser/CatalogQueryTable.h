#pragma once

#include <span>
#include <string>
#include <string_view>

namespace browser {

// One listing of the schema tree: the fixed data-dictionary statement that a
// scope node (or the "Users" node) runs, and how its result becomes object
// nodes. Column 0 of every result is the object's name.
struct CatalogCategory {
    const char* pszCategory;  // text of the category node
    const char* pszScope;     // "All" or "User"; empty for Users
    const char* pszStatement;
    bool bOwnerColumn;        // column 1 holds the owning schema
    int nObjectImage;         // image of the object nodes, in the tree's image list
};

inline constexpr std::string_view kScopeAll = "All";
inline constexpr std::string_view kScopeUser = "User";

// The nineteen rows, category by category in tree order, "All" before "User".
std::span<const CatalogCategory> CatalogQueryTable();

// The row run by the scope node of that category; for "Users", scope is
// empty. Null when no row matches.
const CatalogCategory* FindCatalogCategory(std::string_view category, std::string_view scope);

// The text of the object node for one result row: owner, ".", name when the
// row has an owner column and the owner cell is not empty; else the name.
std::string ObjectLabel(const CatalogCategory& row, std::string_view name, std::string_view owner);

}  // namespace browser
