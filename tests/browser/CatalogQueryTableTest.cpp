#include <gtest/gtest.h>

#include "browser/CatalogQueryTable.h"

using namespace browser;

// The statements themselves run against the server in the dictionary's tests; the
// categories and their order are compared with the tree in tests/gui/BrowserTest.cpp.
TEST(CatalogQueryTable, AllAndUserOfEachCategoryThenUsers)
{
    const auto table = CatalogQueryTable();
    ASSERT_EQ(table.size(), 19u);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const CatalogCategory& row = table[i];
        SCOPED_TRACE(row.pszStatement);
        const std::string scope = i == 18 ? "" : i % 2 ? "User" : "All";
        EXPECT_EQ(row.pszScope, scope);
        EXPECT_STREQ(row.pszCategory, i == 18 ? "Users" : table[i - i % 2].pszCategory);
        EXPECT_EQ(FindCatalogCategory(row.pszCategory, row.pszScope), &row);
        // Column 1 is the owner exactly in the "All" forms.
        const std::string statement = row.pszStatement;
        const std::size_t second = statement.find(", ") + 2;
        const std::string column = statement.substr(second, statement.find(',', second) - second);
        EXPECT_EQ(row.bOwnerColumn, scope == "All");
        EXPECT_EQ(row.bOwnerColumn, column == "OWNER" || column == "SEQUENCE_OWNER") << column;
    }
}

// Nodes that are no category run nothing; a label names the owner only in the "All" forms.
TEST(CatalogQueryTable, UnknownNodesAndObjectLabels)
{
    for (const auto& [category, scope] : {std::pair{"Tables", ""}, {"Users", "All"}, {"Sequences", "All"},
                                          {"tables", "all"}, {"Database", ""}})
        EXPECT_EQ(FindCatalogCategory(category, scope), nullptr) << category << " " << scope;

    const CatalogCategory* allTables = FindCatalogCategory("Tables", "All");
    const CatalogCategory* userTables = FindCatalogCategory("Tables", "User");
    const CatalogCategory* users = FindCatalogCategory("Users", "");
    const std::tuple<const CatalogCategory*, const char*, const char*, const char*> cases[] = {
        {allTables, "ORDERS", "APP", "APP.ORDERS"}, {allTables, "ORDERS", "", "ORDERS"},
        {allTables, "ORDERS", "NULL", "NULL.ORDERS"}, {allTables, "A.B", "APP", "APP.A.B"},
        {allTables, "NULL", "APP", "APP.NULL"}, {userTables, "ORDERS", "USERS", "ORDERS"},
        {users, "SCOTT", "42", "SCOTT"},
    };
    for (const auto& [row, name, owner, label] : cases)
        EXPECT_EQ(ObjectLabel(*row, name, owner), label);
}
