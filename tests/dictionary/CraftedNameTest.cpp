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
using dicttest::CatalogSession;
using dicttest::Result;

constexpr const char* kRole = "ocipg_escapes";
// In the browser's literal: 'x\'' OR set_config(...)>$$$$ --'
constexpr const char* kCrafted = "x\\' OR set_config($$ocipg.hit$$,$$yes$$,false)>$$$$ --";

class CraftedName : public ::testing::Test {
protected:
    void SetUp() override
    {
        TearDown();
        for (const std::string& sql :
             {std::string("CREATE ROLE ") + kRole + " LOGIN PASSWORD 'escapes'",
              std::string("ALTER ROLE ") + kRole + " SET standard_conforming_strings = off",
              std::string("CREATE SCHEMA ") + kRole + " AUTHORIZATION " + kRole,
              std::string("SET ROLE ") + kRole + "; CREATE TABLE " + kRole + ".\"" + kCrafted +
                  "\" (id int); CREATE TABLE " + kRole + ".other (a int, b int)"})
            ASSERT_EQ(AdminValue(sql), "") << sql;
    }

    void TearDown() override
    {
        AdminValue(std::string("SET client_min_messages = warning; DROP SCHEMA IF EXISTS ") + kRole + " CASCADE");
        AdminValue(std::string("SET client_min_messages = warning; DROP ROLE IF EXISTS ") + kRole);
    }

    // The statement the browser runs for the crafted table's columns, from
    // the name its table listing shows.
    static std::string ColumnsStatement(CatalogSession& session)
    {
        const Result tables = session.Run(browser::FindCatalogCategory("Tables", "User")->pszStatement);
        EXPECT_TRUE(tables.bOk) << tables.strError;
        for (const auto& row : tables.rows) {
            if (row.at(0) != "OTHER")
                return browser::TableColumnsStatement("", row.at(0));
        }
        ADD_FAILURE() << "the crafted table is not listed";
        return {};
    }
};

TEST_F(CraftedName, StaysANameWhereTheAccountsDefaultWouldEscape)
{
    CatalogSession session({kRole, "escapes"});
    const std::string statement = ColumnsStatement(session);
    ASSERT_FALSE(statement.empty());

    // Without the library's setting the account's default holds, and the
    // same statement runs the crafted SQL.
    const std::string as = std::string(" user=") + kRole + " password=escapes";
    EXPECT_EQ(AdminValue("SHOW standard_conforming_strings", as), "off");
    EXPECT_EQ(AdminValue("SELECT table_name FROM information_schema.columns WHERE table_name = " +
                             statement.substr(statement.find('\'')) + "\n; SELECT current_setting('ocipg.hit', true)",
                         as),
              "yes");

    const Result columns = session.Run(statement);
    ASSERT_TRUE(columns.bOk) << columns.strError;
    EXPECT_EQ(columns.rows.size(), 1u);
    EXPECT_EQ(columns.Cell(0, "TABLE_NAME"), kCrafted);
    EXPECT_EQ(columns.Cell(0, "COLUMN_NAME"), "ID");
    const Result after = session.Run("SELECT coalesce(current_setting('ocipg.hit', true), 'untouched'), "
                                     "current_setting('standard_conforming_strings'), 'a\\b', length('\\') FROM DUAL");
    ASSERT_TRUE(after.bOk) << after.strError;
    EXPECT_EQ(after.rows, (std::vector<std::vector<std::string>>{{"untouched", "on", "a\\b", "1"}}));
}

}  // namespace
