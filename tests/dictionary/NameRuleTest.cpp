// PostgreSQL names as the dictionary and the column descriptions show them,
// and the schema browser's statements built from what is shown.

#include "browser/CatalogQueryTable.h"
#include "browser/ObjectStatements.h"
#include "tests/dictionary/CatalogSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using dicttest::CatalogSession;
using dicttest::Result;

// Upper case only for what an unquoted Oracle identifier reaches: a
// lower-case ASCII letter, then lower-case ASCII letters, digits and "_".
TEST(NameRule, ShownNamesFindTheirObjects)
{
    testfixture::ScopedEnv utf8("NLS_LANG", "AMERICAN_AMERICA.AL32UTF8");
    const std::pair<std::string, std::string> cases[] = {
        {"x1", "X1"}, {"Ünïcödé", "Ünïcödé"}, {"émile", "émile"}, {"a$b", "a$b"}, {"_x", "_x"}, {"1a", "1a"},
    };
    CatalogSession hr(dicttest::kHr);  // its transaction is rolled back at the end
    for (const auto& [stored, shown] : cases) {
        const Result made = hr.Run("CREATE TABLE hr.\"" + stored + "\" (\"" + stored + "\" int)");
        ASSERT_TRUE(made.bOk) << stored << ": " << made.strError;
    }
    const Result listed = hr.Run(browser::FindCatalogCategory("Tables", "User")->pszStatement);
    ASSERT_TRUE(listed.bOk) << listed.strError;
    for (const auto& [stored, shown] : cases) {
        SCOPED_TRACE(stored);
        EXPECT_TRUE(std::any_of(listed.rows.begin(), listed.rows.end(),
                                [&shown = shown](const auto& row) { return row.at(0) == shown; }));
        const Result all = hr.Run("SELECT OWNER FROM ALL_TABLES WHERE TABLE_NAME = '" + shown + "'");
        EXPECT_EQ(all.rows, (std::vector<std::vector<std::string>>{{"HR"}})) << all.strError;

        const Result columns = hr.Run(browser::TableColumnsStatement("", shown));
        ASSERT_TRUE(columns.bOk) << columns.strError;
        ASSERT_EQ(columns.rows.size(), 1u);
        EXPECT_EQ(columns.Cell(0, "COLUMN_NAME"), shown);
        const Result own = hr.Run("SELECT COLUMN_NAME FROM USER_TAB_COLUMNS WHERE TABLE_NAME = '" + shown + "'");
        EXPECT_EQ(own.rows, (std::vector<std::vector<std::string>>{{shown}})) << own.strError;

        const Result data = hr.Run(browser::TableDataStatement("", shown));
        ASSERT_TRUE(data.bOk) << data.strError;
        EXPECT_EQ(data.columns, std::vector<std::string>{shown});
    }
}

}  // namespace
