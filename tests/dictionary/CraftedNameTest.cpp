// A table name built to break out of the schema browser's string literal
// where backslashes escape, on an account whose own default makes them
// escape: through libocipg it stays a name.

#include "browser/CatalogQueryTable.h"
#include "browser/ObjectStatements.h"
#include "tests/dictionary/CatalogSession.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using dicttest::AdminValue;
using dicttest::Result;

// In the browser's literal: 'x\'' OR set_config(...)>$$$$ --'
constexpr const char* kCrafted = "x\\' OR set_config($$ocipg.hit$$,$$yes$$,false)>$$$$ --";

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

TEST_F(CraftedName, StaysANameWhereTheAccountsDefaultWouldEscape)
{
    // The statement the browser runs for the crafted table's columns, from
    // the name its table listing shows.
    dicttest::CatalogSession session({"escapes", "escapes"});
    const Result tables = session.Run(browser::FindCatalogCategory("Tables", "User")->pszStatement);
    ASSERT_EQ(tables.rows.size(), 2u) << tables.strError;
    const std::string statement = browser::TableColumnsStatement("", tables.rows[tables.rows[0][0] == "OTHER"][0]);

    // Without the library's setting the account's default holds, and the
    // same statement runs the crafted SQL.
    const std::string as = " user=escapes password=escapes";
    EXPECT_EQ(AdminValue("SHOW standard_conforming_strings", as), "off");
    EXPECT_EQ(AdminValue("SELECT table_name FROM information_schema.columns WHERE table_name = " +
                             statement.substr(statement.find('\'')) + "\n; SELECT current_setting('ocipg.hit', true)",
                         as),
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
