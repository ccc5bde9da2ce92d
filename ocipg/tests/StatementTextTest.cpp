// Which dictionary views a statement gets, and the query rewrite, from the text alone.

#include "ocipg/dictionary/Dictionary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The views PrepareFor would make, in order, read back from its SQL.
std::vector<std::string> ViewsMadeFor(const std::string& statement, bool dbaViews)
{
    const std::string sql = ocipg::Dictionary(dbaViews).PrepareFor(statement);
    std::vector<std::string> names;
    const std::string marker = "CREATE TEMP VIEW ";
    for (size_t at = sql.find(marker); at != std::string::npos; at = sql.find(marker, at + 1)) {
        const size_t start = at + marker.size();
        names.push_back(sql.substr(start, sql.find(' ', start) - start));
    }
    return names;
}

struct PrepareCase {
    const char* pszStatement;
    bool bDbaViews;
    std::vector<std::string> views;
};

TEST(DictionaryPrepare, MakesTheViewsAStatementNames)
{
    const PrepareCase cases[] = {
        {"SELECT * FROM APP.ORDERS", true, {}},
        {"SELECT TABLE_NAME FROM USER_TABLES ORDER BY TABLE_NAME", false, {"user_tables"}},
        {"SELECT * FROM DBA_TABLES", true, {"dba_tables"}},
        // Without the right the view does not exist, so the statement fails as Oracle's does.
        {"SELECT * FROM DBA_TABLES", false, {}},
        {"SELECT * FROM ALL_USERS", false, {"all_users"}},
        {"SELECT SYSDATE FROM DUAL", false, {"dual"}},
        {"SELECT a.OWNER FROM ALL_TABLES a JOIN ALL_TAB_COLUMNS c ON c.TABLE_NAME = a.TABLE_NAME, all_tables x",
         false, {"all_tables", "all_tab_columns"}},
        // Quoted names mean what they say: only the stored lower-case name is the view.
        {"SELECT * FROM \"user_views\"", false, {"user_views"}},
        {"SELECT * FROM \"USER_VIEWS\"", false, {}},
        // Literals and comments name nothing (the lexer's cases: SqlTextTest), in any case.
        {"SELECT 'USER_TABLES' FROM DUAL -- FROM USER_TABLES\n", false, {"dual"}},
        {"select E'it\\'s USER_VIEWS', 'a\\' from user_tables", false, {"user_tables"}},
        // A longer word is not the view.
        {"SELECT * FROM USER_TABLES2, MY_USER_TABLES, USER_TABLES$", false, {}},
    };
    for (const PrepareCase& c : cases)
        EXPECT_EQ(ViewsMadeFor(c.pszStatement, c.bDbaViews), c.views) << c.pszStatement;
    // Logon itself runs nothing.
    EXPECT_EQ(ocipg::Dictionary(true).SetupSql(), "");
}

TEST(DictionaryRewrite, QuotesReservedDictionaryColumnsInQueriesOnly)
{
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT STATUS, DEFERRABLE, DEFERRED FROM USER_CONSTRAINTS",
         "SELECT STATUS, \"deferrable\", DEFERRED FROM USER_CONSTRAINTS"},
        {"select deferrable from all_constraints where Deferrable = 'DEFERRABLE'",
         "select \"deferrable\" from all_constraints where \"deferrable\" = 'DEFERRABLE'"},
        {" WITH c AS (SELECT DEFERRABLE FROM DBA_CONSTRAINTS) SELECT * FROM c",
         " WITH c AS (SELECT \"deferrable\" FROM DBA_CONSTRAINTS) SELECT * FROM c"},
        {"SELECT xe'\\', DEFERRABLE FROM USER_CONSTRAINTS", "SELECT xe'\\', \"deferrable\" FROM USER_CONSTRAINTS"},
        {"SELECT u&DEFERRABLE, DEFERRABLE\"x\", \"y\"DEFERRABLE FROM t",
         "SELECT u& \"deferrable\", \"deferrable\" \"x\", \"y\" \"deferrable\" FROM t"},
    };
    for (const auto& [statement, expected] : cases)
        EXPECT_EQ(ocipg::Dictionary::RewriteQuery(statement), expected) << statement;
    // Not queries, where DEFERRABLE is the keyword; quoted names, literals, comments and longer words.
    for (const char* unchanged : {"ALTER TABLE t ADD CONSTRAINT u UNIQUE (a) DEFERRABLE",
                                  "CREATE TABLE t (a int UNIQUE DEFERRABLE)", "",
                                  "SELECT \"DEFERRABLE\", 'DEFERRABLE' /* DEFERRABLE */, DEFERRABLE_X FROM t",
                                  "SELECT 'unterminated DEFERRABLE"})
        EXPECT_EQ(ocipg::Dictionary::RewriteQuery(unchanged), unchanged);
}

}  // namespace
