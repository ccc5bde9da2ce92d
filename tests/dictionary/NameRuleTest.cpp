// PostgreSQL names as the dictionary and the column descriptions show them,
// and the schema browser's statements built from what is shown.

#include "browser/CatalogQueryTable.h"
#include "browser/ObjectStatements.h"
#include "tests/dictionary/CatalogSession.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Upper case only for what an unquoted Oracle identifier reaches: a
// lower-case ASCII letter, then lower-case ASCII letters, digits and "_".
TEST(NameRule, ShownNamesFindTheirObjects)
{
    testfixture::ScopedEnv utf8("NLS_LANG", "AMERICAN_AMERICA.AL32UTF8");
    const std::pair<std::string, std::string> cases[] = {
        {"x1", "X1"}, {"Ünïcödé", "Ünïcödé"}, {"émile", "émile"}, {"a$b", "a$b"}, {"_x", "_x"}, {"1a", "1a"},
    };
    dicttest::CatalogSession hr(dicttest::kHr);  // its transaction is rolled back at the end
    for (const auto& [stored, shown] : cases)
        ASSERT_EQ(hr.Run("CREATE TABLE hr.\"" + stored + "\" (\"" + stored + "\" int)").strError, "") << stored;
    const std::string listed = "\n" + hr.Run(browser::FindCatalogCategory("Tables", "User")->pszStatement).Text();
    for (const auto& [stored, shown] : cases) {
        SCOPED_TRACE(stored);
        EXPECT_NE(listed.find("\n" + shown + " "), std::string::npos);
        EXPECT_EQ(hr.Run("SELECT OWNER FROM ALL_TABLES WHERE TABLE_NAME = '" + shown + "'").Text(), "HR");
        EXPECT_EQ(hr.Run(browser::TableColumnsStatement("", shown)).Cell(0, "COLUMN_NAME"), shown);
        EXPECT_EQ(hr.Run("SELECT COLUMN_NAME FROM USER_TAB_COLUMNS WHERE TABLE_NAME = '" + shown + "'").Text(), shown);
        EXPECT_EQ(hr.Run(browser::TableDataStatement("", shown)).columns, std::vector<std::string>{shown});
    }
}

}  // namespace
