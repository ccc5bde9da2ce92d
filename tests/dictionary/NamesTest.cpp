// PostgreSQL names as the dictionary shows them, and the schema browser's
// statements built from what is shown.

#include "browser/CatalogQueryTable.h"
#include "browser/ObjectStatements.h"
#include "tests/dictionary/CatalogSession.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using dicttest::AdminValue;
using dicttest::CatalogSession;
using dicttest::Result;

const char* const kTablesStatement = browser::FindCatalogCategory("Tables", "User")->pszStatement;

// Upper case only for what an unquoted Oracle identifier reaches: a
// lower-case ASCII letter, then lower-case ASCII letters, digits and "_".
TEST(NameRule, ShownNamesFindTheirObjects)
{
    testfixture::ScopedEnv utf8("NLS_LANG", "AMERICAN_AMERICA.AL32UTF8");
    const std::pair<std::string, std::string> cases[] = {
        {"x1", "X1"}, {"Ünïcödé", "Ünïcödé"}, {"émile", "émile"}, {"a$b", "a$b"}, {"_x", "_x"}, {"1a", "1a"},
    };
    CatalogSession hr(dicttest::kHr);  // its transaction is rolled back at the end
    for (const auto& [stored, shown] : cases)
        ASSERT_EQ(hr.Run("CREATE TABLE hr.\"" + stored + "\" (\"" + stored + "\" int)").strError, "") << stored;
    const std::string listed = "\n" + hr.Run(kTablesStatement).Text();
    for (const auto& [stored, shown] : cases) {
        SCOPED_TRACE(stored);
        EXPECT_NE(listed.find("\n" + shown + " "), std::string::npos);
        EXPECT_EQ(hr.Run("SELECT OWNER FROM ALL_TABLES WHERE TABLE_NAME = '" + shown + "'").Text(), "HR");
        EXPECT_EQ(hr.Run(browser::TableColumnsStatement("", shown)).Cell(0, "COLUMN_NAME"), shown);
        EXPECT_EQ(hr.Run("SELECT COLUMN_NAME FROM USER_TAB_COLUMNS WHERE TABLE_NAME = '" + shown + "'").Text(), shown);
        EXPECT_EQ(hr.Run(browser::TableDataStatement("", shown)).columns, std::vector<std::string>{shown});
    }
}

// In the browser's literal: 'x\'' OR set_config(...)>$$$$ --'
constexpr const char* kCrafted = "x\\' OR set_config($$ocipg.hit$$,$$yes$$,false)>$$$$ --";

// A table name built to break out of the browser's string literal where
// backslashes escape, on an account whose own default makes them escape.
class CraftedName : public ::testing::Test {
protected:
    void SetUp() override
    {
        TearDown();
        ASSERT_EQ(AdminValue(std::string("CREATE ROLE escapes LOGIN PASSWORD 'escapes';"
                                         "ALTER ROLE escapes SET standard_conforming_strings = off;"
                                         "CREATE SCHEMA escapes AUTHORIZATION escapes; SET ROLE escapes;"
                                         "CREATE TABLE escapes.\"") +
                             kCrafted + "\" (id int); CREATE TABLE escapes.other (a int, b int)"),
                  "");
    }
    void TearDown() override
    {
        AdminValue("SET client_min_messages = warning; DROP SCHEMA IF EXISTS escapes CASCADE;"
                   "DROP ROLE IF EXISTS escapes");
    }
};

TEST_F(CraftedName, StaysANameThroughLibocipg)
{
    // The statement the browser runs for the crafted table's columns, from
    // the name its table listing shows.
    CatalogSession session({"escapes", "escapes"});
    const Result tables = session.Run(kTablesStatement);
    ASSERT_EQ(tables.rows.size(), 2u) << tables.strError;
    const std::string statement = browser::TableColumnsStatement("", tables.rows[tables.rows[0][0] == "OTHER"][0]);

    // Without the library's setting the account's default holds, and the
    // same statement runs the crafted SQL.
    EXPECT_EQ(AdminValue("SELECT table_name FROM information_schema.columns WHERE table_name = " +
                             statement.substr(statement.find('\'')) + "\n; SELECT current_setting('ocipg.hit', true)",
                         " user=escapes password=escapes"),
              "yes");

    const Result columns = session.Run(statement);
    EXPECT_EQ(columns.rows.size(), 1u) << columns.strError;
    EXPECT_EQ(columns.Cell(0, "TABLE_NAME") + " " + columns.Cell(0, "COLUMN_NAME"), kCrafted + std::string(" ID"));
    EXPECT_EQ(session.Run("SELECT coalesce(current_setting('ocipg.hit', true), 'untouched'), "
                          "current_setting('standard_conforming_strings'), 'a\\b', length('\\') FROM DUAL")
                  .Text(),
              "untouched on a\\b 1");
}

}  // namespace
