// The schema browser's catalog statements, sent through libocipg to the test cluster as Lumidex sends them,
// each in the session's open transaction; results are checked against PostgreSQL's own catalogs.

#include "browser/CatalogQueryTable.h"
#include "browser/ObjectStatements.h"
#include "tests/oracle/ProgramSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using sessiontest::Result;
using testfixture::AdminValue;

class CatalogSession : public sessiontest::ProgramSession {
public:
    // The fixture's superuser by default.
    explicit CatalogSession(const std::string& user = testfixture::AdminUser(),
                            const std::string& password = testfixture::AdminPassword())
    {
        EXPECT_EQ(Connect(user, password), SR_SUCCESS) << ErrorText();
        (*this)->SetCommitMode(1);
    }
    // Nothing a test made outlives it: logoff would commit.
    ~CatalogSession() { Run("ROLLBACK"); }
};

const std::string kOwn = " !~ '^(pg_|information_schema$)'";  // every schema but PostgreSQL's
const std::string kConstraints = "SELECT count(*) FROM information_schema.table_constraints "
                                 "WHERE constraint_name !~ '_not_null$' AND constraint_schema";
const std::string kRoutines = "SELECT count(*) FROM information_schema.routines WHERE routine_schema";
const std::string kTriggers = "SELECT count(DISTINCT (trigger_schema, trigger_name)) FROM information_schema.triggers "
                              "WHERE trigger_schema";

struct CatalogCase {
    const char* pszCategory;
    const char* pszScope;      // run by the superuser for "All" and Users, by HR for "User"
    std::string strCountSql;   // the number of objects, from PostgreSQL's catalogs
    const char* pszKnownName;  // one name the first column must hold
};

const CatalogCase kCatalogCases[] = {
    {"Tables", "All", "SELECT count(*) FROM pg_tables WHERE schemaname" + kOwn, "ORDERS"},
    {"Tables", "User", "SELECT count(*) FROM pg_tables WHERE schemaname = 'hr'", "EMPLOYEES"},
    {"Views", "All", "SELECT count(*) FROM pg_views WHERE schemaname" + kOwn, "ORDER_TOTALS"},
    {"Views", "User", "SELECT count(*) FROM pg_views WHERE schemaname = 'hr'", "EMP_DETAILS"},
    {"Indexes", "All", "SELECT count(*) FROM pg_indexes WHERE schemaname" + kOwn, "Mixed Case_pkey"},
    {"Indexes", "User", "SELECT count(*) FROM pg_indexes WHERE schemaname = 'hr'", "EMPLOYEES_LAST_NAME_IDX"},
    {"Procedures", "All", kRoutines + kOwn, "ORDER_COUNT"},
    {"Procedures", "User", kRoutines + " = 'hr'", "RAISE_SALARY"},
    {"Triggers", "All", kTriggers + kOwn, "ORDER_LINES_CHECK"},
    {"Triggers", "User", kTriggers + " = 'hr'", "EMPLOYEES_TOUCH"},
    {"Sequenses", "All", "SELECT count(*) FROM pg_sequences WHERE schemaname" + kOwn, "ORDER_SEQ"},
    {"Sequenses", "User", "SELECT count(*) FROM pg_sequences WHERE schemaname = 'hr'", "EMPLOYEES_SEQ"},
    {"Synonyms", "All", "SELECT 0", nullptr},
    {"Synonyms", "User", "SELECT 0", nullptr},
    {"Constraints", "All", kConstraints + kOwn, "ORDERS_PKEY"},
    {"Constraints", "User", kConstraints + " = 'hr'", "EMPLOYEES_SALARY_POSITIVE"},
    {"DBLinks", "All", "SELECT count(*) FROM pg_user_mappings WHERE usename IN ('public', current_user)",
     "REMOTE_LUMIDEX"},
    {"DBLinks", "User", "SELECT count(*) FROM pg_user_mappings WHERE usename = 'hr'", "REMOTE_LUMIDEX"},
    {"Users", "", "SELECT count(*) FROM pg_roles WHERE rolname !~ '^pg_'", "HR"},
};

TEST(CatalogStatements, ListTheDatabasesObjectsWithTheColumnsInSelectListOrder)
{
    ASSERT_EQ(std::size(kCatalogCases), browser::CatalogQueryTable().size());
    CatalogSession admin;
    CatalogSession hr("hr", "hr");
    for (const CatalogCase& c : kCatalogCases) {
        std::string statement = browser::FindCatalogCategory(c.pszCategory, c.pszScope)->pszStatement;
        SCOPED_TRACE(statement);
        const Result result = (std::string(c.pszScope) == "User" ? hr : admin).Run(statement);
        ASSERT_EQ(result.strError, "");
        EXPECT_EQ(std::to_string(result.rows.size()), AdminValue(c.strCountSql));
        EXPECT_TRUE(!c.pszKnownName || std::any_of(result.rows.begin(), result.rows.end(),
                                                   [&](const auto& row) { return row.at(0) == c.pszKnownName; }));
        // The columns are the select list's, in order.
        std::string names;
        for (const std::string& name : result.columns)
            names += name + ",";
        statement = statement.substr(7, statement.find(" FROM ") - 6);
        statement.erase(std::remove(statement.begin(), statement.end(), ' '), statement.end());
        EXPECT_EQ(names, statement + ",");
    }
}

// Objects of kinds the fixture lacks, made by the superuser in a transaction that is rolled back; the views
// made in it must read the same without standard strings.
class CatalogValues : public ::testing::Test {
protected:
    void SetUp() override
    {
        AdminValue("ANALYZE app.orders");
        ASSERT_EQ(m_admin.Run(
                         "SET LOCAL standard_conforming_strings = off; CREATE DOMAIN hr.code AS varchar(5);"
                         "CREATE TYPE hr.mood AS ENUM ('glad', 'sad');"
                         "CREATE TABLE hr.types_probe (dropped int, p_small smallint, p_big bigint, p_number numeric,"
                         " p_rounded numeric(5,-2), p_real real, p_double double precision, p_varchar varchar,"
                         " p_char char(3) NOT NULL, p_zoned timestamptz(3), p_seconds timestamp(0), p_array int[],"
                         " p_domain hr.code, p_uuid uuid, p_mood hr.mood, \"Mixed Col\" int);"
                         "ALTER TABLE hr.types_probe DROP COLUMN dropped; CREATE TABLE hr.\"UPPER_PROBE\" (id int);"
                         "CREATE TABLE hr.part_probe (id int) PARTITION BY RANGE (id);"
                         "CREATE TABLE hr.part_probe_1 PARTITION OF hr.part_probe FOR VALUES FROM (0) TO (10);"
                         "CREATE UNLOGGED TABLE hr.unlogged_probe (id int);"
                         "CREATE INDEX probe_hash_idx ON hr.unlogged_probe USING hash (id);"
                         "CREATE INDEX probe_expr_idx ON hr.unlogged_probe ((id + 1));"
                         "CREATE TABLE hr.child_probe (id int REFERENCES hr.departments DEFERRABLE INITIALLY DEFERRED);"
                         "CREATE TRIGGER probe_stmt AFTER DELETE OR TRUNCATE ON hr.unlogged_probe"
                         " FOR EACH STATEMENT EXECUTE FUNCTION hr.touch_updated();"
                         "CREATE TRIGGER probe_when BEFORE INSERT ON hr.unlogged_probe"
                         " FOR EACH ROW WHEN (NEW.id > 0) EXECUTE FUNCTION hr.touch_updated();"
                         "ALTER TABLE hr.unlogged_probe DISABLE TRIGGER probe_when; CREATE ROLE locked_probe NOLOGIN;"
                         "CREATE ROLE expired_probe LOGIN VALID UNTIL '2001-02-03 12:00:00+00'")
                      .strError,
                  "");
    }

    CatalogSession m_admin;
    CatalogSession m_hr{"hr", "hr"};
};

TEST_F(CatalogValues, MapPostgresqlMeaningsToOracles)
{
    const auto columns = [](CatalogSession& session, const std::string& where) {
        return session.Run("SELECT count(*) FROM information_schema.columns WHERE " + where).Text();
    };
    const struct {
        CatalogSession& session;
        const char* pszStatement;
        std::string strExpected;
    } cases[] = {
        // Each account sees the columns information_schema shows it: HR of
        // APP's only those APP granted to HR (app.orders, not app.order_lines).
        {m_hr, "SELECT count(*) FROM ALL_TAB_COLUMNS", columns(m_hr, "table_schema IN ('hr', 'app')")},
        {m_hr, "SELECT count(*) FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDER_LINES'", "0"},
        // Unquoted names in upper case; a table, a view, a wide table, each only under its owner.
        {m_admin, "SELECT OWNER, TABLE_NAME, count(*) FROM ALL_TAB_COLUMNS WHERE TABLE_NAME IN ('ORDERS', 'orders', "
                  "'Mixed Case', 'ORDER_TOTALS', 'WIDE_TABLE') GROUP BY 1, 2 ORDER BY 2",
         "APP Mixed Case " + columns(m_admin, "table_name = 'Mixed Case'") + "\nAPP ORDERS " +
             columns(m_admin, "table_name = 'orders'") + "\nAPP ORDER_TOTALS " +
             columns(m_admin, "table_name = 'order_totals'") + "\nAPP WIDE_TABLE " +
             columns(m_admin, "table_name = 'wide_table'")},
        // PostgreSQL shows a PUBLIC mapping's options to the server's owner only.
        {m_hr, "SELECT OWNER, USERNAME, CREATED FROM ALL_DB_LINKS ORDER BY OWNER, DB_LINK",
         "HR app NULL\nPUBLIC NULL NULL"},
        {m_hr, "SELECT DISTINCT HOST FROM ALL_DB_LINKS",
         testfixture::SocketDir() + ":" + testfixture::Port() + "/" + testfixture::Database()},
        {m_admin, "SELECT TRIGGER_NAME, TRIGGER_TYPE, TRIGGERING_EVENT, TABLE_OWNER, TABLE_NAME, WHEN_CLAUSE, STATUS "
                  "FROM DBA_TRIGGERS ORDER BY TRIGGER_NAME",
         "EMPLOYEES_TOUCH BEFORE EACH ROW UPDATE HR EMPLOYEES NULL ENABLED\n"
         "ORDER_LINES_CHECK BEFORE EACH ROW INSERT OR UPDATE APP ORDER_LINES NULL ENABLED\n"
         "PROBE_STMT AFTER STATEMENT DELETE OR TRUNCATE HR UNLOGGED_PROBE NULL ENABLED\n"
         "PROBE_WHEN BEFORE EACH ROW INSERT HR UNLOGGED_PROBE (new.id > 0) DISABLED"},
        {m_admin, "SELECT CONSTRAINT_NAME, CONSTRAINT_TYPE, R_OWNER, R_CONSTRAINT_NAME, DELETE_RULE, DEFERRABLE, "
                  "DEFERRED, INDEX_NAME FROM DBA_CONSTRAINTS WHERE TABLE_NAME IN ('EMPLOYEES', 'ORDER_LINES', "
                  "'CHILD_PROBE') AND CONSTRAINT_TYPE IN ('R', 'U') ORDER BY CONSTRAINT_NAME",
         "CHILD_PROBE_ID_FKEY R HR DEPARTMENTS_PKEY NO ACTION DEFERRABLE DEFERRED NULL\n"
         "EMPLOYEES_DEPARTMENT_ID_FKEY R HR DEPARTMENTS_PKEY SET NULL NOT DEFERRABLE IMMEDIATE NULL\n"
         "EMPLOYEES_EMAIL_UNIQUE U NULL NULL NULL NOT DEFERRABLE IMMEDIATE EMPLOYEES_EMAIL_UNIQUE\n"
         "ORDER_LINES_ORDER_ID_FKEY R APP ORDERS_PKEY CASCADE NOT DEFERRABLE IMMEDIATE NULL"},
        {m_admin, "SELECT INDEX_NAME, INDEX_TYPE, UNIQUENESS FROM DBA_INDEXES WHERE TABLE_NAME IN ('EMPLOYEES', "
                  "'ORDER_LINES', 'UNLOGGED_PROBE') ORDER BY INDEX_NAME",
         "EMPLOYEES_EMAIL_UNIQUE NORMAL UNIQUE\nEMPLOYEES_LAST_NAME_IDX NORMAL NONUNIQUE\n"
         "EMPLOYEES_PKEY NORMAL UNIQUE\n"
         "ORDER_LINES_PKEY NORMAL UNIQUE\nORDER_LINES_PRODUCT_UIDX NORMAL UNIQUE\n"
         "PROBE_EXPR_IDX FUNCTION-BASED NORMAL NONUNIQUE\nPROBE_HASH_IDX DOMAIN NONUNIQUE"},
        {m_admin, "SELECT SEQUENCE_NAME, MAX_VALUE, CYCLE_FLAG, CACHE_SIZE, LAST_NUMBER FROM DBA_SEQUENCES "
                  "ORDER BY SEQUENCE_NAME",
         "EMPLOYEES_SEQ 9223372036854775807 N 20 100\nORDER_SEQ 999999 Y 0 4"},
        {m_admin, "SELECT OBJECT_NAME, OBJECT_TYPE, DETERMINISTIC FROM DBA_PROCEDURES WHERE OWNER = 'HR' "
                  "ORDER BY OBJECT_NAME",
         "ANNUAL_SALARY FUNCTION NO\nRAISE_SALARY PROCEDURE NO\nTOUCH_UPDATED FUNCTION NO"},
        {m_admin, "SELECT USERNAME, ACCOUNT_STATUS, EXPIRY_DATE, PROFILE, PASSWORD FROM DBA_USERS "
                  "WHERE USERNAME IN ('HR', 'LOCKED_PROBE', 'EXPIRED_PROBE') ORDER BY USERNAME",
         "EXPIRED_PROBE EXPIRED 2001-02-03 DEFAULT NULL\nHR OPEN NULL DEFAULT NULL\n"
         "LOCKED_PROBE LOCKED NULL DEFAULT NULL"},
        {m_admin, "SELECT USER_ID FROM DBA_USERS WHERE USERNAME = 'HR'",
         AdminValue("SELECT oid FROM pg_roles WHERE rolname = 'hr'")},
        // A partition is no table of its own; statistics only once a table is analyzed.
        {m_admin, "SELECT TABLE_NAME, LOGGING, PARTITIONED, TABLESPACE_NAME, NUM_ROWS, LAST_ANALYZED, AVG_ROW_LEN "
                  "FROM DBA_TABLES WHERE TABLE_NAME IN ('EMPTY_TABLE', 'PART_PROBE', 'PART_PROBE_1', 'UNLOGGED_PROBE', "
                  "'UPPER_PROBE') ORDER BY TABLE_NAME",
         "EMPTY_TABLE YES NO PG_DEFAULT NULL NULL NULL\nPART_PROBE YES YES NULL NULL NULL NULL\n"
         "UNLOGGED_PROBE NO NO PG_DEFAULT NULL NULL NULL\nUPPER_PROBE YES NO PG_DEFAULT NULL NULL NULL"},
        {m_admin, "SELECT NUM_ROWS, LAST_ANALYZED, sign(AVG_ROW_LEN) FROM DBA_TABLES WHERE TABLE_NAME = 'ORDERS'",
         "3 " + AdminValue("SELECT last_analyze::date FROM pg_stat_all_tables WHERE relid = 'app.orders'::regclass") +
             " 1"},
        {m_admin, "SELECT NUM_DISTINCT, NUM_NULLS FROM ALL_TAB_COLUMNS "
                  "WHERE TABLE_NAME = 'ORDERS' AND COLUMN_NAME = 'STATUS'", "3 0"},
        {m_admin, "SELECT DEFAULT_LENGTH, DATA_DEFAULT FROM ALL_TAB_COLUMNS "
                  "WHERE TABLE_NAME = 'EMPLOYEES' AND COLUMN_ID = 1", "37 nextval('hr.employees_seq'::regclass)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.session.Run(c.pszStatement).Text(), c.strExpected) << c.pszStatement;
    EXPECT_EQ(m_hr.Run("SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDERS'").columns,
              (std::vector<std::string>{
                  "OWNER", "TABLE_NAME", "COLUMN_NAME", "DATA_TYPE", "DATA_TYPE_MOD", "DATA_TYPE_OWNER", "DATA_LENGTH",
                  "DATA_PRECISION", "DATA_SCALE", "NULLABLE", "COLUMN_ID", "DEFAULT_LENGTH", "DATA_DEFAULT",
                  "NUM_DISTINCT", "LOW_VALUE", "HIGH_VALUE", "DENSITY", "NUM_NULLS", "NUM_BUCKETS", "LAST_ANALYZED",
                  "SAMPLE_SIZE", "CHARACTER_SET_NAME", "CHAR_COL_DECL_LENGTH", "GLOBAL_STATS", "USER_STATS",
                  "AVG_COL_LEN", "CHAR_LENGTH", "CHAR_USED", "V80_FMT_IMAGE", "DATA_UPGRADED", "HISTOGRAM"}));
}

// Oracle's types, lengths and column numbers, no gap where a column was dropped; a domain as its base type.
TEST_F(CatalogValues, TableColumnsShowOracleTypes)
{
    EXPECT_EQ(m_admin.Run("SELECT COLUMN_NAME, COLUMN_ID, DATA_TYPE, DATA_LENGTH, DATA_PRECISION, DATA_SCALE, NULLABLE,"
                          " CHAR_LENGTH, DATA_TYPE_OWNER FROM ALL_TAB_COLUMNS WHERE OWNER = 'HR' AND (TABLE_NAME ="
                          " 'TYPES_PROBE' OR TABLE_NAME = 'EMPLOYEES' AND COLUMN_ID NOT IN (1, 2, 4, 5))"
                          " ORDER BY TABLE_NAME, COLUMN_ID")
                  .Text(),
              "FIRST_NAME 3 VARCHAR2 80 NULL NULL Y 20 NULL\n"
              "SALARY 6 NUMBER 22 10 2 Y 0 NULL\n"
              "HIRED 7 DATE 7 NULL NULL Y 0 NULL\n"
              "UPDATED 8 TIMESTAMP(6) 11 NULL 6 Y 0 NULL\n"
              "ACTIVE 9 BOOLEAN 1 NULL NULL Y 0 NULL\n"
              "PHOTO 10 BLOB 4000 NULL NULL Y 0 NULL\n"
              "NOTES 11 CLOB 4000 NULL NULL Y 0 NULL\n"
              "P_SMALL 1 NUMBER 22 5 0 Y 0 NULL\n"
              "P_BIG 2 NUMBER 22 19 0 Y 0 NULL\n"
              "P_NUMBER 3 NUMBER 22 NULL NULL Y 0 NULL\n"
              "P_ROUNDED 4 NUMBER 22 5 -2 Y 0 NULL\n"
              "P_REAL 5 BINARY_FLOAT 4 NULL NULL Y 0 NULL\n"
              "P_DOUBLE 6 BINARY_DOUBLE 8 NULL NULL Y 0 NULL\n"
              "P_VARCHAR 7 CLOB 4000 NULL NULL Y 0 NULL\n"
              "P_CHAR 8 CHAR 12 NULL NULL N 3 NULL\n"
              "P_ZONED 9 TIMESTAMP(3) WITH LOCAL TIME ZONE 11 NULL 3 Y 0 NULL\n"
              "P_SECONDS 10 TIMESTAMP(0) 11 NULL 0 Y 0 NULL\n"
              "P_ARRAY 11 INTEGER[] NULL NULL NULL Y 0 NULL\n"
              "P_DOMAIN 12 VARCHAR2 20 NULL NULL Y 5 NULL\n"
              "P_UUID 13 UUID 16 NULL NULL Y 0 NULL\n"
              "P_MOOD 14 MOOD 4 NULL NULL Y 0 HR\n"
              "Mixed Col 15 NUMBER 22 10 0 Y 0 NULL");
}

TEST(SessionViews, SurviveARolledBackTransactionAndAnOpenQuery)
{
    const char* const statement = "SELECT TABLE_NAME FROM USER_TABLES ORDER BY TABLE_NAME";
    CatalogSession hr("hr", "hr");
    // Made inside a transaction that is rolled back: made again next time.
    ASSERT_EQ(hr.Run(std::string("UPDATE hr.empty_table SET id = id;") + statement + "; ROLLBACK").strError, "");
    EXPECT_EQ(hr.Run(statement).Text(), "DEPARTMENTS\nEMPLOYEES\nEMPTY_TABLE");
    // A query still reading the view does not stop the next statement on it.
    ASSERT_EQ(hr.Run(statement, 1).Text(), "DEPARTMENTS");
    EXPECT_EQ(hr.Run("UPDATE hr.empty_table SET id = id WHERE EXISTS (SELECT 1 FROM USER_TABLES)").strError, "");
    EXPECT_EQ(hr.Fetch(1).Text(), "EMPLOYEES");
}

const char* const kTablesStatement = browser::FindCatalogCategory("Tables", "User")->pszStatement;

// Upper case only for what an unquoted Oracle identifier reaches: a
// lower-case ASCII letter, then lower-case ASCII letters, digits and "_".
TEST(NameRule, ShownNamesFindTheirObjects)
{
    testfixture::ScopedEnv utf8("NLS_LANG", "AMERICAN_AMERICA.AL32UTF8");
    const std::pair<std::string, std::string> cases[] = {
        {"x1", "X1"}, {"Ünïcödé", "Ünïcödé"}, {"émile", "émile"}, {"a$b", "a$b"}, {"_x", "_x"}, {"1a", "1a"},
    };
    CatalogSession hr("hr", "hr");  // its transaction is rolled back at the end
    for (const auto& [stored, shown] : cases)
        ASSERT_EQ(hr.Run("CREATE TABLE hr.\"" + stored + "\" (\"" + stored + "\" int)").strError, "") << stored;
    const std::string listed = "\n" + hr.Run(kTablesStatement).Text();
    for (const auto& [stored, shown] : cases) {
        SCOPED_TRACE(stored);
        EXPECT_NE(listed.find("\n" + shown + " "), std::string::npos);
        EXPECT_EQ(hr.Run("SELECT OWNER FROM ALL_TABLES WHERE TABLE_NAME = '" + shown + "'").Text(), "HR");
        EXPECT_EQ(hr.Run(browser::TableColumnsStatement("", shown)).Cell(0, "COLUMN_NAME"), shown);
        EXPECT_EQ(hr.Run(browser::TableDataStatement("", shown)).columns, std::vector<std::string>{shown});
    }
}

// A table name built to break out of the browser's string literal where backslashes escape, on an account
// whose own default makes them escape. In that literal: 'x\'' OR set_config(...)>$$$$ --'
TEST(CraftedName, StaysANameThroughLibocipg)
{
    const std::string crafted = "x\\' OR set_config($$ocipg.hit$$,$$yes$$,false)>$$$$ --";
    const auto drop = [] {
        AdminValue("SET client_min_messages = warning; DROP SCHEMA IF EXISTS escapes CASCADE;"
                   "DROP ROLE IF EXISTS escapes");
    };
    drop();
    ASSERT_EQ(AdminValue("CREATE ROLE escapes LOGIN PASSWORD 'escapes';"
                         "ALTER ROLE escapes SET standard_conforming_strings = off;"
                         "CREATE SCHEMA escapes AUTHORIZATION escapes; SET ROLE escapes;"
                         "CREATE TABLE escapes.\"" +
                             crafted + "\" (id int); CREATE TABLE escapes.other (a int, b int)"),
              "");
    {
        // The statement the browser runs for the crafted table's columns, from the name its listing shows.
        CatalogSession session("escapes", "escapes");
        const Result tables = session.Run(kTablesStatement);
        ASSERT_EQ(tables.rows.size(), 2u) << tables.strError;
        const std::string statement = browser::TableColumnsStatement("", tables.rows[tables.rows[0][0] == "OTHER"][0]);

        const Result columns = session.Run(statement);
        EXPECT_EQ(columns.rows.size(), 1u) << columns.strError;
        EXPECT_EQ(columns.Cell(0, "TABLE_NAME") + " " + columns.Cell(0, "COLUMN_NAME"), crafted + " ID");
        EXPECT_EQ(session.Run("SELECT coalesce(current_setting('ocipg.hit', true), 'untouched'), "
                              "current_setting('standard_conforming_strings'), 'a\\b', length('\\') FROM DUAL")
                      .Text(),
                  "untouched on a\\b 1");
    }  // logged off before the role goes
    drop();
}

}  // namespace
