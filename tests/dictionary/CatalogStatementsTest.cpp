// The catalog statements of the schema browser, sent byte for byte through
// libocipg to the test cluster; results are checked against PostgreSQL's own
// catalogs.

#include "browser/CatalogQueryTable.h"
#include "tests/dictionary/CatalogSession.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using dicttest::Account;
using dicttest::AdminValue;
using dicttest::CatalogSession;
using dicttest::kHr;
using dicttest::Admin;
using dicttest::Result;

struct CatalogCase {
    const char* pszCategory;
    const char* pszScope;      // run by the superuser for "All" and Users, by HR for "User"
    const char* pszCountSql;   // the number of objects, from PostgreSQL's catalogs
    const char* pszKnownName;  // one name the first column must hold
};

const CatalogCase kCatalogCases[] = {
    {"Tables", "All", "SELECT count(*) FROM pg_tables WHERE schemaname !~ '^(pg_|information_schema$)'", "ORDERS"},
    {"Tables", "User", "SELECT count(*) FROM pg_tables WHERE schemaname = 'hr'", "EMPLOYEES"},
    {"Views", "All", "SELECT count(*) FROM pg_views WHERE schemaname !~ '^(pg_|information_schema$)'", "ORDER_TOTALS"},
    {"Views", "User", "SELECT count(*) FROM pg_views WHERE schemaname = 'hr'", "EMP_DETAILS"},
    {"Indexes", "All",
     "SELECT count(*) FROM pg_indexes WHERE schemaname !~ '^(pg_|information_schema$)'", "Mixed Case_pkey"},
    {"Indexes", "User", "SELECT count(*) FROM pg_indexes WHERE schemaname = 'hr'", "EMPLOYEES_LAST_NAME_IDX"},
    {"Procedures", "All",
     "SELECT count(*) FROM information_schema.routines WHERE routine_schema !~ '^(pg_|information_schema$)'",
     "ORDER_COUNT"},
    {"Procedures", "User",
     "SELECT count(*) FROM information_schema.routines WHERE routine_schema = 'hr'", "RAISE_SALARY"},
    {"Triggers", "All",
     "SELECT count(DISTINCT (trigger_schema, trigger_name)) FROM information_schema.triggers", "ORDER_LINES_CHECK"},
    {"Triggers", "User",
     "SELECT count(DISTINCT trigger_name) FROM information_schema.triggers WHERE trigger_schema = 'hr'",
     "EMPLOYEES_TOUCH"},
    {"Sequenses", "All",
     "SELECT count(*) FROM pg_sequences WHERE schemaname !~ '^(pg_|information_schema$)'", "ORDER_SEQ"},
    {"Sequenses", "User", "SELECT count(*) FROM pg_sequences WHERE schemaname = 'hr'", "EMPLOYEES_SEQ"},
    {"Synonyms", "All", "SELECT 0", nullptr},
    {"Synonyms", "User", "SELECT 0", nullptr},
    {"Constraints", "All",
     "SELECT count(*) FROM information_schema.table_constraints WHERE constraint_schema !~ '^(pg_|information_schema$)' AND constraint_name !~ '_not_null$'",
     "ORDERS_PKEY"},
    {"Constraints", "User",
     "SELECT count(*) FROM information_schema.table_constraints WHERE constraint_schema = 'hr' AND constraint_name !~ '_not_null$'",
     "EMPLOYEES_SALARY_POSITIVE"},
    {"DBLinks", "All",
     "SELECT count(*) FROM pg_user_mappings WHERE usename IN ('public', current_user)", "REMOTE_LUMIDEX"},
    {"DBLinks", "User", "SELECT count(*) FROM pg_user_mappings WHERE usename = 'hr'", "REMOTE_LUMIDEX"},
    {"Users", "", "SELECT count(*) FROM pg_roles WHERE rolname !~ '^pg_'", "HR"},
};

const char* Statement(const CatalogCase& c)
{
    return browser::FindCatalogCategory(c.pszCategory, c.pszScope)->pszStatement;
}

TEST(CatalogStatements, ListTheDatabasesObjectsWithTheColumnsInSelectListOrder)
{
    ASSERT_EQ(std::size(kCatalogCases), browser::CatalogQueryTable().size());
    for (const CatalogCase& c : kCatalogCases) {
        SCOPED_TRACE(Statement(c));
        CatalogSession session(std::string(c.pszScope) == "User" ? kHr : Admin());
        const Result result = session.Run(Statement(c));
        ASSERT_TRUE(result.bOk) << result.strError;
        EXPECT_EQ(result.columns, dicttest::SelectListNames(Statement(c)));
        EXPECT_EQ(std::to_string(result.rows.size()), AdminValue(c.pszCountSql));
        if (c.pszKnownName) {
            std::set<std::string> names;
            for (const auto& row : result.rows)
                names.insert(row.at(0));
            EXPECT_TRUE(names.count(c.pszKnownName)) << c.pszKnownName;
        }
    }
}

// USER_CONSTRAINTS keeps its OWNER column, as Oracle's does.
TEST(CatalogStatements, UserConstraintsKeepTheirOwner)
{
    CatalogSession hr(kHr);
    const Result constraints = hr.Run("SELECT DISTINCT OWNER FROM USER_CONSTRAINTS");
    ASSERT_TRUE(constraints.bOk) << constraints.strError;
    EXPECT_EQ(constraints.rows, (std::vector<std::vector<std::string>>{{"HR"}}));
}

TEST(CatalogStatements, DbaViewsDoNotExistForAnOrdinaryAccount)
{
    CatalogSession hr(kHr);
    for (const CatalogCase& c : kCatalogCases) {
        const std::string statement = Statement(c);
        if (statement.find(" FROM DBA_") == std::string::npos)
            continue;
        const Result result = hr.Run(statement);
        EXPECT_FALSE(result.bOk) << statement;
        EXPECT_EQ(result.nCode, 942) << statement << ": " << result.strError;
    }
    // The session stays usable, and the ALL_ form of links works for it.
    const Result links = hr.Run("SELECT DB_LINK, OWNER, USERNAME, HOST, CREATED FROM ALL_DB_LINKS ORDER BY OWNER, DB_LINK");
    ASSERT_TRUE(links.bOk) << links.strError;
    ASSERT_EQ(links.rows.size(), 2u);
    EXPECT_EQ(links.Cell(0, "OWNER"), "HR");
    EXPECT_EQ(links.Cell(0, "USERNAME"), "app");
    EXPECT_EQ(links.Cell(1, "OWNER"), "PUBLIC");
    // PostgreSQL shows a PUBLIC mapping's options to the server's owner only.
    EXPECT_EQ(links.Cell(1, "USERNAME"), "NULL");
    EXPECT_EQ(links.Cell(1, "HOST"), testfixture::SocketDir() + ":" + testfixture::Port() + "/" + testfixture::Database());
    EXPECT_EQ(links.Cell(1, "CREATED"), "NULL");
}

TEST(CatalogStatements, AllFormsHoldWhatTheAccountMayUse)
{
    // information_schema shows what the current role may use: HR's own
    // objects, and of APP's what APP granted to HR.
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT TABLE_NAME FROM ALL_TABLES",
         "SELECT count(*) FROM information_schema.tables WHERE table_type = 'BASE TABLE' AND table_schema IN ('hr', 'app')"},
        {"SELECT VIEW_NAME FROM ALL_VIEWS", "SELECT count(*) FROM information_schema.views WHERE table_schema IN ('hr', 'app')"},
        {"SELECT SEQUENCE_NAME FROM ALL_SEQUENCES",
         "SELECT count(*) FROM information_schema.sequences WHERE sequence_schema IN ('hr', 'app')"},
        {"SELECT PROCEDURE_NAME FROM ALL_PROCEDURES",
         "SELECT count(*) FROM information_schema.routines WHERE routine_schema !~ '^(pg_|information_schema$)'"},
        {"SELECT COLUMN_NAME FROM ALL_TAB_COLUMNS",
         "SELECT count(*) FROM information_schema.columns WHERE table_schema IN ('hr', 'app')"},
        {"SELECT TRIGGER_NAME FROM ALL_TRIGGERS", "SELECT 1"},
        {"SELECT SYNONYM_NAME FROM ALL_SYNONYMS", "SELECT 0"},
    };
    CatalogSession hr(kHr);
    for (const auto& [statement, countSql] : cases) {
        const Result result = hr.Run(statement);
        ASSERT_TRUE(result.bOk) << statement << ": " << result.strError;
        EXPECT_EQ(std::to_string(result.rows.size()), AdminValue(std::string("SET ROLE hr; ") + countSql)) << statement;
    }
}

struct ColumnsCase {
    Account account;
    const char* pszStatement;
    const char* pszCountSql;  // the columns that PostgreSQL knows
};

TEST(TableColumns, ListTheColumnsOfTheTablesTheAccountMayUse)
{
    const ColumnsCase cases[] = {
        {Admin(), "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDERS' AND OWNER = 'APP'",
         "SELECT count(*) FROM information_schema.columns WHERE table_schema = 'app' AND table_name = 'orders'"},
        {Admin(), "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDERS'",
         "SELECT count(*) FROM information_schema.columns WHERE table_name = 'orders'"},
        {Admin(), "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'Mixed Case' AND OWNER = 'APP'",
         "SELECT count(*) FROM information_schema.columns WHERE table_name = 'Mixed Case'"},
        {Admin(), "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDER_TOTALS' AND OWNER = 'APP'",
         "SELECT count(*) FROM information_schema.columns WHERE table_name = 'order_totals'"},
        {Admin(), "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'WIDE_TABLE'",
         "SELECT count(*) FROM information_schema.columns WHERE table_name = 'wide_table'"},
        {Admin(), "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'orders'", "SELECT 0"},
        {Admin(), "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDERS' AND OWNER = 'HR'", "SELECT 0"},
        // HR may read app.orders but not app.order_lines.
        {kHr, "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDERS' AND OWNER = 'APP'",
         "SELECT count(*) FROM information_schema.columns WHERE table_schema = 'app' AND table_name = 'orders'"},
        {kHr, "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'ORDER_LINES'", "SELECT 0"},
    };
    const std::vector<std::string> oracleColumns = {
        "OWNER", "TABLE_NAME", "COLUMN_NAME", "DATA_TYPE", "DATA_TYPE_MOD", "DATA_TYPE_OWNER", "DATA_LENGTH",
        "DATA_PRECISION", "DATA_SCALE", "NULLABLE", "COLUMN_ID", "DEFAULT_LENGTH", "DATA_DEFAULT", "NUM_DISTINCT",
        "LOW_VALUE", "HIGH_VALUE", "DENSITY", "NUM_NULLS", "NUM_BUCKETS", "LAST_ANALYZED", "SAMPLE_SIZE",
        "CHARACTER_SET_NAME", "CHAR_COL_DECL_LENGTH", "GLOBAL_STATS", "USER_STATS", "AVG_COL_LEN", "CHAR_LENGTH",
        "CHAR_USED", "V80_FMT_IMAGE", "DATA_UPGRADED", "HISTOGRAM"};
    for (const ColumnsCase& c : cases) {
        SCOPED_TRACE(std::string(c.account.pszUser) + ": " + c.pszStatement);
        CatalogSession session(c.account);
        const Result result = session.Run(c.pszStatement);
        ASSERT_TRUE(result.bOk) << result.strError;
        EXPECT_EQ(result.columns, oracleColumns);
        EXPECT_EQ(std::to_string(result.rows.size()), AdminValue(c.pszCountSql));
    }
}

TEST(TableColumns, ShowOracleTypesAndColumnIds)
{
    struct Expected {
        const char* pszColumn;
        const char* pszType;
        const char* pszLength;
        const char* pszPrecision;
        const char* pszScale;
        const char* pszNullable;
        const char* pszCharLength;
    };
    // hr.employees as created, plus types the fixture lacks, in a transaction
    // that is rolled back.
    const Expected expected[] = {
        {"EMPLOYEE_ID", "NUMBER", "22", "10", "0", "N", "0"},
        {"DEPARTMENT_ID", "NUMBER", "22", "10", "0", "Y", "0"},
        {"FIRST_NAME", "VARCHAR2", "80", "NULL", "NULL", "Y", "20"},
        {"LAST_NAME", "VARCHAR2", "100", "NULL", "NULL", "N", "25"},
        {"SALARY", "NUMBER", "22", "10", "2", "Y", "0"},
        {"HIRED", "DATE", "7", "NULL", "NULL", "Y", "0"},
        {"UPDATED", "TIMESTAMP(6)", "11", "NULL", "6", "Y", "0"},
        {"ACTIVE", "BOOLEAN", "1", "NULL", "NULL", "Y", "0"},
        {"PHOTO", "BLOB", "4000", "NULL", "NULL", "Y", "0"},
        {"NOTES", "CLOB", "4000", "NULL", "NULL", "Y", "0"},
        {"P_SMALL", "NUMBER", "22", "5", "0", "Y", "0"},
        {"P_BIG", "NUMBER", "22", "19", "0", "Y", "0"},
        {"P_NUMBER", "NUMBER", "22", "NULL", "NULL", "Y", "0"},
        {"P_ROUNDED", "NUMBER", "22", "5", "-2", "Y", "0"},
        {"P_REAL", "BINARY_FLOAT", "4", "NULL", "NULL", "Y", "0"},
        {"P_DOUBLE", "BINARY_DOUBLE", "8", "NULL", "NULL", "Y", "0"},
        {"P_VARCHAR", "CLOB", "4000", "NULL", "NULL", "Y", "0"},
        {"P_CHAR", "CHAR", "12", "NULL", "NULL", "N", "3"},
        {"P_ZONED", "TIMESTAMP(3) WITH LOCAL TIME ZONE", "11", "NULL", "3", "Y", "0"},
        {"P_SECONDS", "TIMESTAMP(0)", "11", "NULL", "0", "Y", "0"},
        {"P_ARRAY", "INTEGER[]", "NULL", "NULL", "NULL", "Y", "0"},
        {"P_DOMAIN", "VARCHAR2", "20", "NULL", "NULL", "Y", "5"},
        {"P_UUID", "UUID", "16", "NULL", "NULL", "Y", "0"},
        {"P_MOOD", "MOOD", "4", "NULL", "NULL", "Y", "0"},
        {"Mixed Col", "NUMBER", "22", "10", "0", "Y", "0"},
    };
    CatalogSession system(Admin());
    const Result made = system.Run(
        "CREATE DOMAIN hr.code AS varchar(5);"
        "CREATE TYPE hr.mood AS ENUM ('glad', 'sad');"
        "CREATE TABLE hr.types_probe (dropped int, p_small smallint, p_big bigint, p_number numeric,"
        " p_rounded numeric(5,-2), p_real real, p_double double precision, p_varchar varchar,"
        " p_char char(3) NOT NULL, p_zoned timestamptz(3), p_seconds timestamp(0), p_array int[],"
        " p_domain hr.code, p_uuid uuid, p_mood hr.mood, \"Mixed Col\" int);"
        "ALTER TABLE hr.types_probe DROP COLUMN dropped");
    ASSERT_TRUE(made.bOk) << made.strError;
    const Result employees = system.Run(
        "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'EMPLOYEES' AND OWNER = 'HR' ORDER BY COLUMN_ID");
    const Result probe = system.Run(
        "SELECT * FROM ALL_TAB_COLUMNS WHERE TABLE_NAME = 'TYPES_PROBE' AND OWNER = 'HR' ORDER BY COLUMN_ID");
    system.Run("ROLLBACK");
    ASSERT_TRUE(employees.bOk) << employees.strError;
    ASSERT_TRUE(probe.bOk) << probe.strError;
    ASSERT_EQ(employees.rows.size(), 11u);
    ASSERT_EQ(probe.rows.size(), 15u);

    for (const Expected& e : expected) {
        SCOPED_TRACE(e.pszColumn);
        const std::string name = e.pszColumn;
        const bool fromProbe = name.rfind("P_", 0) == 0 || name == "Mixed Col";
        const Result& result = fromProbe ? probe : employees;
        size_t row = 0;
        while (row < result.rows.size() && result.Cell(row, "COLUMN_NAME") != name)
            ++row;
        ASSERT_LT(row, result.rows.size());
        EXPECT_EQ(result.Cell(row, "DATA_TYPE"), e.pszType);
        EXPECT_EQ(result.Cell(row, "DATA_LENGTH"), e.pszLength);
        EXPECT_EQ(result.Cell(row, "DATA_PRECISION"), e.pszPrecision);
        EXPECT_EQ(result.Cell(row, "DATA_SCALE"), e.pszScale);
        EXPECT_EQ(result.Cell(row, "NULLABLE"), e.pszNullable);
        EXPECT_EQ(result.Cell(row, "CHAR_LENGTH"), e.pszCharLength);
        // Numbered 1, 2, ... in order, with no gap where a column was dropped.
        EXPECT_EQ(result.Cell(row, "COLUMN_ID"), std::to_string(row + 1));
    }
    EXPECT_EQ(employees.Cell(0, "DATA_DEFAULT"), "nextval('hr.employees_seq'::regclass)");
    EXPECT_EQ(employees.Cell(0, "DEFAULT_LENGTH"), "37");
    EXPECT_EQ(probe.Cell(11, "DATA_TYPE_OWNER"), "NULL");  // a domain shows as its base type
    EXPECT_EQ(probe.Cell(13, "DATA_TYPE_OWNER"), "HR");
}

TEST(ObjectData, OwnerQualifiedTablesViewsAndQuotedNamesReadTheirRows)
{
    struct DataCase {
        Account account;
        const char* pszStatement;
        const char* pszCountSql;
    };
    const DataCase cases[] = {
        {Admin(), "SELECT * FROM APP.ORDERS", "SELECT count(*) FROM app.orders"},
        {Admin(), "SELECT * FROM HR.EMP_DETAILS", "SELECT count(*) FROM hr.emp_details"},
        {Admin(), "SELECT * FROM APP.\"Mixed Case\"", "SELECT count(*) FROM app.\"Mixed Case\""},
        {Account{"app", "app"}, "SELECT * FROM \"Mixed Case\"", "SELECT count(*) FROM app.\"Mixed Case\""},
        {kHr, "SELECT * FROM EMPLOYEES", "SELECT count(*) FROM hr.employees"},
        {kHr, "SELECT * FROM DUAL", "SELECT 1"},
    };
    for (const DataCase& c : cases) {
        SCOPED_TRACE(c.pszStatement);
        CatalogSession session(c.account);
        const Result result = session.Run(c.pszStatement);
        ASSERT_TRUE(result.bOk) << result.strError;
        EXPECT_EQ(std::to_string(result.rows.size()), AdminValue(c.pszCountSql));
    }
}

// Single values of the views next to what the fixture created.
TEST(CatalogValues, MapPostgresqlMeaningsToOracles)
{
    const std::pair<const char*, std::string> cases[] = {
        {"SELECT TRIGGER_TYPE FROM DBA_TRIGGERS WHERE TRIGGER_NAME = 'ORDER_LINES_CHECK'", "BEFORE EACH ROW"},
        {"SELECT TRIGGERING_EVENT FROM DBA_TRIGGERS WHERE TRIGGER_NAME = 'ORDER_LINES_CHECK'", "INSERT OR UPDATE"},
        {"SELECT TABLE_OWNER || '.' || TABLE_NAME FROM DBA_TRIGGERS WHERE TRIGGER_NAME = 'EMPLOYEES_TOUCH'",
         "HR.EMPLOYEES"},
        {"SELECT STATUS FROM DBA_TRIGGERS WHERE TRIGGER_NAME = 'EMPLOYEES_TOUCH'", "ENABLED"},
        {"SELECT TRIGGER_BODY FROM DBA_TRIGGERS WHERE TRIGGER_NAME = 'EMPLOYEES_TOUCH'", "CALL hr.touch_updated()"},
        {"SELECT R_OWNER || '.' || R_CONSTRAINT_NAME || ' ' || DELETE_RULE FROM DBA_CONSTRAINTS "
         "WHERE CONSTRAINT_NAME = 'EMPLOYEES_DEPARTMENT_ID_FKEY'", "HR.DEPARTMENTS_PKEY SET NULL"},
        {"SELECT DELETE_RULE FROM DBA_CONSTRAINTS WHERE CONSTRAINT_NAME = 'ORDER_LINES_ORDER_ID_FKEY'", "CASCADE"},
        {"SELECT CONSTRAINT_TYPE || ' ' || INDEX_NAME FROM DBA_CONSTRAINTS WHERE CONSTRAINT_NAME = 'EMPLOYEES_EMAIL_UNIQUE'",
         "U EMPLOYEES_EMAIL_UNIQUE"},
        {"SELECT SEARCH_CONDITION FROM DBA_CONSTRAINTS WHERE CONSTRAINT_NAME = 'EMPLOYEES_SALARY_POSITIVE'",
         "(salary > (0)::numeric)"},
        {"SELECT count(*) FROM DBA_CONSTRAINTS WHERE CONSTRAINT_TYPE = 'P'",
         AdminValue("SELECT count(*) FROM pg_constraint WHERE contype = 'p'"
                    " AND connamespace::regnamespace::text IN ('hr', 'app')")},
        {"SELECT UNIQUENESS FROM DBA_INDEXES WHERE INDEX_NAME = 'EMPLOYEES_LAST_NAME_IDX'", "NONUNIQUE"},
        {"SELECT UNIQUENESS FROM DBA_INDEXES WHERE INDEX_NAME = 'ORDER_LINES_PRODUCT_UIDX'", "UNIQUE"},
        {"SELECT MAX_VALUE || ' ' || CYCLE_FLAG || ' ' || CACHE_SIZE || ' ' || LAST_NUMBER FROM DBA_SEQUENCES "
         "WHERE SEQUENCE_NAME = 'ORDER_SEQ'", "999999 Y 0 4"},
        {"SELECT CACHE_SIZE FROM DBA_SEQUENCES WHERE SEQUENCE_NAME = 'EMPLOYEES_SEQ'", "20"},
        {"SELECT OBJECT_TYPE FROM DBA_PROCEDURES WHERE OBJECT_NAME = 'RAISE_SALARY'", "PROCEDURE"},
        {"SELECT DETERMINISTIC || ' ' || OBJECT_TYPE FROM DBA_PROCEDURES WHERE OBJECT_NAME = 'ANNUAL_SALARY'",
         "NO FUNCTION"},
        {"SELECT TEXT FROM DBA_VIEWS WHERE VIEW_NAME = 'EMP_DETAILS'",
         AdminValue("SELECT pg_get_viewdef('hr.emp_details'::regclass)")},
        {"SELECT ACCOUNT_STATUS || ' ' || PROFILE FROM DBA_USERS WHERE USERNAME = 'HR'", "OPEN DEFAULT"},
        {"SELECT coalesce(PASSWORD, 'none') FROM DBA_USERS WHERE USERNAME = 'HR'", "none"},
        {"SELECT USER_ID FROM DBA_USERS WHERE USERNAME = 'HR'", AdminValue("SELECT oid FROM pg_roles WHERE rolname = 'hr'")},
        {"SELECT DUMMY FROM DUAL", "X"},
        {"SELECT count(*) FROM ALL_USERS", AdminValue("SELECT count(*) FROM pg_roles WHERE rolname !~ '^pg_'")},
    };
    CatalogSession system(Admin());
    for (const auto& [statement, expected] : cases) {
        const Result result = system.Run(statement);
        ASSERT_TRUE(result.bOk) << statement << ": " << result.strError;
        ASSERT_EQ(result.rows.size(), 1u) << statement;
        EXPECT_EQ(result.rows[0][0], expected) << statement;
    }
}

TEST(CatalogValues, StatisticsShowOnlyOnceATableIsAnalyzed)
{
    AdminValue("ANALYZE app.orders");
    CatalogSession system(Admin());
    const Result orders = system.Run(
        "SELECT NUM_ROWS, LAST_ANALYZED, AVG_ROW_LEN FROM DBA_TABLES WHERE OWNER = 'APP' AND TABLE_NAME = 'ORDERS'");
    ASSERT_TRUE(orders.bOk) << orders.strError;
    ASSERT_EQ(orders.rows.size(), 1u);
    EXPECT_EQ(orders.rows[0][0], "3");
    EXPECT_EQ(orders.rows[0][1], AdminValue("SELECT last_analyze::date FROM pg_stat_all_tables "
                                            "WHERE schemaname = 'app' AND relname = 'orders'"));
    EXPECT_NE(orders.rows[0][2], "NULL");
    const Result columns = system.Run("SELECT NUM_DISTINCT, NUM_NULLS FROM ALL_TAB_COLUMNS "
                                      "WHERE OWNER = 'APP' AND TABLE_NAME = 'ORDERS' AND COLUMN_NAME = 'STATUS'");
    ASSERT_TRUE(columns.bOk) << columns.strError;
    EXPECT_EQ(columns.rows, (std::vector<std::vector<std::string>>{{"3", "0"}}));

    // Never analyzed: no figures, as Oracle before statistics are gathered.
    const Result empty = system.Run(
        "SELECT NUM_ROWS, LAST_ANALYZED, AVG_ROW_LEN FROM DBA_TABLES WHERE TABLE_NAME = 'EMPTY_TABLE'");
    ASSERT_TRUE(empty.bOk) << empty.strError;
    EXPECT_EQ(empty.rows, (std::vector<std::vector<std::string>>{{"NULL", "NULL", "NULL"}}));
}

TEST(CatalogValues, ObjectKindsTheFixtureLacks)
{
    CatalogSession system(Admin());
    // The views made in this transaction must read the same without standard strings.
    const Result made = system.Run(
        "SET LOCAL standard_conforming_strings = off;"
        "CREATE UNLOGGED TABLE hr.unlogged_probe (id int);"
        "CREATE TABLE hr.\"UPPER_PROBE\" (id int);"
        "CREATE TABLE hr.part_probe (id int) PARTITION BY RANGE (id);"
        "CREATE TABLE hr.part_probe_1 PARTITION OF hr.part_probe FOR VALUES FROM (0) TO (10);"
        "CREATE INDEX probe_hash_idx ON hr.unlogged_probe USING hash (id);"
        "CREATE INDEX probe_expr_idx ON hr.unlogged_probe ((id + 1));"
        "CREATE TABLE hr.child_probe (id int REFERENCES hr.departments DEFERRABLE INITIALLY DEFERRED);"
        "CREATE TRIGGER probe_stmt AFTER DELETE OR TRUNCATE ON hr.unlogged_probe "
        "  FOR EACH STATEMENT EXECUTE FUNCTION hr.touch_updated();"
        "CREATE TRIGGER probe_when BEFORE INSERT ON hr.unlogged_probe "
        "  FOR EACH ROW WHEN (NEW.id > 0) EXECUTE FUNCTION hr.touch_updated();"
        "ALTER TABLE hr.unlogged_probe DISABLE TRIGGER probe_when;"
        "CREATE ROLE locked_probe NOLOGIN;"
        "CREATE ROLE expired_probe LOGIN VALID UNTIL '2001-02-03 12:00:00+00'");
    ASSERT_TRUE(made.bOk) << made.strError;
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT LOGGING FROM DBA_TABLES WHERE TABLE_NAME = 'UNLOGGED_PROBE'", "NO"},
        {"SELECT TABLE_NAME FROM DBA_TABLES WHERE TABLE_NAME LIKE 'UPPER%'", "UPPER_PROBE"},
        {"SELECT PARTITIONED || ' ' || coalesce(TABLESPACE_NAME, 'none') FROM DBA_TABLES WHERE TABLE_NAME = 'PART_PROBE'",
         "YES none"},
        {"SELECT count(*) FROM DBA_TABLES WHERE TABLE_NAME = 'PART_PROBE_1'", "0"},
        {"SELECT INDEX_TYPE FROM DBA_INDEXES WHERE INDEX_NAME = 'PROBE_HASH_IDX'", "DOMAIN"},
        {"SELECT INDEX_TYPE FROM DBA_INDEXES WHERE INDEX_NAME = 'PROBE_EXPR_IDX'", "FUNCTION-BASED NORMAL"},
        {"SELECT DEFERRABLE || ' ' || DEFERRED FROM DBA_CONSTRAINTS WHERE TABLE_NAME = 'CHILD_PROBE'",
         "DEFERRABLE DEFERRED"},
        {"SELECT TRIGGER_TYPE || ' / ' || TRIGGERING_EVENT FROM DBA_TRIGGERS WHERE TRIGGER_NAME = 'PROBE_STMT'",
         "AFTER STATEMENT / DELETE OR TRUNCATE"},
        {"SELECT WHEN_CLAUSE || ' ' || STATUS FROM DBA_TRIGGERS WHERE TRIGGER_NAME = 'PROBE_WHEN'",
         "(new.id > 0) DISABLED"},
        {"SELECT ACCOUNT_STATUS FROM DBA_USERS WHERE USERNAME = 'LOCKED_PROBE'", "LOCKED"},
        {"SELECT ACCOUNT_STATUS || ' ' || EXPIRY_DATE FROM DBA_USERS WHERE USERNAME = 'EXPIRED_PROBE'",
         "EXPIRED 2001-02-03"},
    };
    for (const auto& [statement, expected] : cases) {
        const Result result = system.Run(statement);
        EXPECT_TRUE(result.bOk) << statement << ": " << result.strError;
        EXPECT_EQ(result.rows, (std::vector<std::vector<std::string>>{{expected}})) << statement;
    }
}

TEST(SessionViews, SurviveARolledBackTransactionAndAnOpenQuery)
{
    const char* const statement = "SELECT TABLE_NAME FROM USER_TABLES ORDER BY TABLE_NAME";
    CatalogSession hr(kHr);
    // Made inside a transaction that is rolled back: made again next time.
    ASSERT_TRUE(hr.Run("UPDATE hr.empty_table SET id = id").bOk);
    ASSERT_TRUE(hr.Run(statement).bOk);
    ASSERT_TRUE(hr.Run("ROLLBACK").bOk);
    const Result again = hr.Run(statement);
    ASSERT_TRUE(again.bOk) << again.strError;
    EXPECT_EQ(again.rows.size(), 3u);

    // A query still reading the view does not stop the next statement on it.
    std::vector<std::string> values;
    ASSERT_TRUE(hr.OpenQuery(statement, values)) << values.at(0);
    const Result next = hr.Run("UPDATE hr.empty_table SET id = id WHERE EXISTS (SELECT 1 FROM USER_TABLES)");
    EXPECT_TRUE(next.bOk) << next.strError;
    ASSERT_TRUE(hr.NextRow(values)) << values.at(0);
    EXPECT_EQ(values.at(0), "EMPLOYEES");
}

}  // namespace
