#include "ocipg/tests/OcipgTest.h"

using namespace ocitest;

namespace {

using OcipgStatement = HrTest;

// What is wrong with a text shows at execute, as with Oracle's client, the type still from the first word. Errors that
// need the server's detail name the constraint or the column; two statements in one text never reach the server.
TEST_F(OcipgStatement, FailuresShowAtExecute)
{
    const struct {
        const char* m_szSql;
        ub2 m_nType;
        const char* m_szFirstLine;
        const char* m_szServerLine;  // "": none; null: not checked
    } cases[] = {
        {"selec 1", OCI_STMT_UNKNOWN, "ORA-00900: invalid SQL statement", "PostgreSQL: syntax error at or near \"selec\""},
        {"  -- nothing but comments\n /* here */ ", OCI_STMT_UNKNOWN, "ORA-00900: invalid SQL statement", ""},
        {"select 1 from", OCI_STMT_SELECT, "ORA-00933: SQL command not properly ended", nullptr},
        {"select * from nosuch_table", OCI_STMT_SELECT, "ORA-00942: table or view does not exist",
         "PostgreSQL: relation \"nosuch_table\" does not exist"},
        // Two statements (what hides the ';' from a lesser scanner: SqlTextTest).
        {"select 1; select 2", OCI_STMT_SELECT, "ORA-00911: invalid character", ""},
        {"insert into hr.departments values (10, 'Again', null)", OCI_STMT_INSERT,
         "ORA-00001: unique constraint (HR.DEPARTMENTS_PKEY) violated", nullptr},
        {"insert into hr.employees (employee_id, email) values (99, 'x')", OCI_STMT_INSERT,
         "ORA-01400: cannot insert NULL into (\"HR\".\"EMPLOYEES\".\"LAST_NAME\")", nullptr},
        {"insert into hr.employees (employee_id, last_name, email, salary) values (98, 'x', 'y', -1)", OCI_STMT_INSERT,
         "ORA-02290: check constraint (HR.EMPLOYEES_SALARY_POSITIVE) violated", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_szSql);
        Statement stmt(m_session, c.m_szSql);
        ASSERT_EQ(stmt.Prepared(), OCI_SUCCESS) << m_session.Error();
        EXPECT_EQ(stmt.Get(OCI_ATTR_STMT_TYPE), c.m_nType);
        EXPECT_EQ(stmt.Execute(c.m_nType == OCI_STMT_SELECT ? 0 : 1), OCI_ERROR);
        sb4 code = 0;
        const std::string text = m_session.Error(&code);
        ASSERT_EQ(FirstLine(text), c.m_szFirstLine);
        EXPECT_EQ(code, std::stoi(text.substr(4, 5)));
        EXPECT_EQ(text.back(), '\n');
        if (c.m_szServerLine) {
            EXPECT_EQ(text.substr(text.find('\n') + 1), *c.m_szServerLine ? c.m_szServerLine + std::string("\n") : "");
        }
    }
    EXPECT_EQ(m_session.Value("select 1"), "1");
    EXPECT_EQ(m_session.Error(), "");  // the success cleared the last failure's record
}

// As in Oracle, a failed statement or row undoes its own round trip only: work left open before it, and another open
// query, go on until the next commit. A table of the session's own: other tests list the schemas' tables.
TEST_F(OcipgStatement, FailuresKeepTheOpenTransaction)
{
    ASSERT_EQ(m_session.Execute("create temporary table scratch (id int primary key, label text)"), OCI_SUCCESS)
        << m_session.Error();
    ASSERT_EQ(m_session.Execute("insert into scratch values (1, 'a')", OCI_DEFAULT), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(m_session.Execute("insert into scratch values (2, 'b'), (1, 'dup')", OCI_DEFAULT), OCI_ERROR);
    Statement other(m_session, "select g from generate_series(1, 50) g");
    ASSERT_EQ(other.Set(OCI_ATTR_PREFETCH_ROWS, 0), OCI_SUCCESS);
    ASSERT_EQ(other.Execute(), OCI_SUCCESS) << m_session.Error();
    char value[16] = {};
    sb2 indicator = 0;
    ASSERT_EQ(other.Define(1, value, sizeof value, &indicator), OCI_SUCCESS);
    ASSERT_EQ(other.Fetch(), OCI_SUCCESS);

    Statement failing(m_session, "select 10 / (700 - g) from generate_series(1, 1000) g");
    ASSERT_EQ(failing.Execute(), OCI_SUCCESS) << m_session.Error();
    char quotient[16] = {};
    ASSERT_EQ(failing.Define(1, quotient, sizeof quotient, &indicator), OCI_SUCCESS);
    long rows = 0;
    sword status;
    while ((status = failing.Fetch()) == OCI_SUCCESS)
        ++rows;
    EXPECT_EQ(status, OCI_ERROR);
    EXPECT_EQ(FirstLine(m_session.Error()), "ORA-01476: divisor is equal to zero");
    EXPECT_LT(rows, 700);
    EXPECT_GE(rows, 690);  // the rows of the round trips before the failing one
    EXPECT_EQ(failing.Fetch(), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-01002: fetch out of sequence\n");

    ASSERT_EQ(other.Fetch(), OCI_SUCCESS) << m_session.Error();
    EXPECT_STREQ(value, "2");
    // Committed on a statement of its own, as Lumidex keeps its query meanwhile.
    Statement insert(m_session, "insert into scratch values (3, 'c')");
    ASSERT_EQ(insert.Execute(1, OCI_COMMIT_ON_SUCCESS), OCI_SUCCESS) << m_session.Error();
    // The commit closed the open query, as a commit closes Oracle's FOR UPDATE cursors.
    EXPECT_EQ(other.Fetch(), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-01002: fetch out of sequence\n");
    EXPECT_EQ(m_session.Value("select string_agg(id::text, ',' order by id) from scratch"), "1,3");
}

// The select list is known once the statement is executed: a define past it passes until then, and the fetch fails.
// Placeholders, named or not, bind by position, all of them before the execute.
TEST_F(OcipgStatement, DescribeDefineAndBindByPosition)
{
    OCIError* err = m_session.ErrorHandle();
    char value[40] = {};
    sb2 indicator = 0;
    Statement past(m_session, "select 1");
    ASSERT_EQ(past.Define(2, value, sizeof value, &indicator), OCI_SUCCESS);
    ASSERT_EQ(past.Execute(), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(past.Fetch(), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-01007: variable not in select list\n");
    Statement query(m_session, "select last_name || :suffix from hr.employees where employee_id = :1 and 1::int = 1");
    EXPECT_EQ(query.Get(OCI_ATTR_PARAM_COUNT), 0u);
    void* param = nullptr;
    EXPECT_EQ(OCIParamGet(query.Handle(), OCI_HTYPE_STMT, err, &param, 1), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-24338: statement handle not executed\n");
    char suffix[] = "!";
    int id = 1;
    OCIBind* bind = nullptr;
    ASSERT_EQ(OCIBindByPos(query.Handle(), &bind, err, 1, suffix, sizeof suffix, SQLT_STR, nullptr, nullptr, nullptr,
                           0, nullptr, OCI_DEFAULT),
              OCI_SUCCESS);
    EXPECT_EQ(query.Execute(), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-01008: not all variables bound\n");
    for (ub4 position : {2u, 3u}) {
        EXPECT_EQ(OCIBindByPos(query.Handle(), &bind, err, position, &id, sizeof id, SQLT_INT, nullptr, nullptr,
                               nullptr, 0, nullptr, OCI_DEFAULT),
                  position == 2 ? OCI_SUCCESS : OCI_ERROR);
    }
    ASSERT_EQ(query.Execute(), OCI_SUCCESS) << m_session.Error();
    ASSERT_EQ(query.Define(1, value, sizeof value, &indicator), OCI_SUCCESS);
    EXPECT_EQ(query.Define(2, value, sizeof value, &indicator), OCI_ERROR);
    EXPECT_EQ(FirstLine(m_session.Error()), "ORA-24308: illegal define position");
    ASSERT_EQ(query.Fetch(), OCI_SUCCESS) << m_session.Error();
    EXPECT_STREQ(value, "King!");
}

// Several rows a call both ways: an execute of rows from an offset with each kind of bind (a length array for
// SQLT_CHR, blanks kept in SQLT_AFC, an indicator for NULL), a fetch into arrays; and a describe without rows.
TEST_F(OcipgStatement, ArraysBothWaysAndDescribeOnly)
{
    OCIError* err = m_session.ErrorHandle();
    ASSERT_EQ(m_session.Execute("create temporary table arrays (n int, u int, c text, f text)"), OCI_SUCCESS)
        << m_session.Error();
    Statement insert(m_session, "insert into arrays values (:n, :u, :c, :f)");
    int numbers[] = {0, -1, 2, 3};
    unsigned short unsignedNumbers[] = {0, 65535, 7, 8};
    char texts[][4] = {"", "ab", "cdx", "e"};
    ub2 lengths[] = {0, 2, 2, 1};
    char blankPadded[][3] = {{}, {'x', ' ', ' '}, {'y', 'z', ' '}, {}};
    sb2 indicators[] = {0, 0, 0, -1};
    const struct {
        void* m_pValues;
        sb4 m_nSize;
        ub2 m_nType;
        sb2* m_pIndicators;
        ub2* m_pLengths;
    } binds[] = {{numbers, sizeof numbers[0], SQLT_INT, nullptr, nullptr},
                 {unsignedNumbers, sizeof unsignedNumbers[0], SQLT_UIN, nullptr, nullptr},
                 {texts, sizeof texts[0], SQLT_CHR, nullptr, lengths},
                 {blankPadded, sizeof blankPadded[0], SQLT_AFC, indicators, nullptr}};
    for (ub4 position = 1; position <= 4; ++position) {
        const auto& b = binds[position - 1];
        OCIBind* bind = nullptr;
        ASSERT_EQ(OCIBindByPos(insert.Handle(), &bind, err, position, b.m_pValues, b.m_nSize, b.m_nType,
                               b.m_pIndicators, b.m_pLengths, nullptr, 0, nullptr, OCI_DEFAULT),
                  OCI_SUCCESS);
    }
    ASSERT_EQ(OCIStmtExecute(m_session.ServiceContext(), insert.Handle(), err, 3, 1, nullptr, nullptr,
                             OCI_COMMIT_ON_SUCCESS),
              OCI_SUCCESS)
        << m_session.Error();
    EXPECT_EQ(insert.Get(OCI_ATTR_ROW_COUNT), 3u);
    void* param = nullptr;
    EXPECT_EQ(OCIParamGet(insert.Handle(), OCI_HTYPE_STMT, err, &param, 1), OCI_ERROR);
    EXPECT_EQ(FirstLine(m_session.Error()), "ORA-24334: no descriptor for this position");
    EXPECT_EQ(m_session.Value("select string_agg(concat_ws('/', n, u, c, coalesce(f, 'null')), ',' order by n) "
                              "from arrays"),
              "-1/65535/ab/x  ,2/7/cd/yz ,3/8/e/null");

    Statement query(m_session, "select f from arrays order by n");
    ASSERT_EQ(query.Execute(), OCI_SUCCESS) << m_session.Error();
    char values[2][8] = {};
    sb2 nulls[2] = {};
    OCIDefine* define = nullptr;
    ASSERT_EQ(OCIDefineByPos(query.Handle(), &define, err, 1, values, sizeof values[0], SQLT_STR, nulls, nullptr,
                             nullptr, OCI_DEFAULT),
              OCI_SUCCESS);
    ASSERT_EQ(query.Fetch(2), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(query.Get(OCI_ATTR_ROWS_FETCHED), 2u);
    EXPECT_STREQ(values[1], "yz ");
    EXPECT_EQ(query.Fetch(2), OCI_NO_DATA);
    EXPECT_EQ(query.Get(OCI_ATTR_ROWS_FETCHED), 1u);
    EXPECT_EQ(nulls[0], -1);
    // None asked: the rest is left unread on the server.
    ASSERT_EQ(m_session.Execute("create temporary sequence early"), OCI_SUCCESS) << m_session.Error();
    Statement endless(m_session, "select nextval('early') from generate_series(1, 1000000)");
    ASSERT_EQ(endless.Execute(), OCI_SUCCESS) << m_session.Error();
    ASSERT_EQ(endless.Fetch(), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(endless.Fetch(0), OCI_SUCCESS);
    EXPECT_EQ(endless.Fetch(), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-01002: fetch out of sequence\n");
    EXPECT_LE(std::stol(m_session.Value("select last_value from early")), 1000);

    Statement described(m_session, "select n, c from arrays");
    ASSERT_EQ(described.Execute(0, OCI_DESCRIBE_ONLY), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(described.Get(OCI_ATTR_PARAM_COUNT), 2u);
    EXPECT_EQ(described.Fetch(), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-24338: statement handle not executed\n");
}

// The data dictionary is made before each statement that names it; DBA_ views only for a superuser; DEFERRABLE, a
// reserved word in PostgreSQL, quoted for the caller.
TEST_F(OcipgStatement, DictionaryViewsThroughTheHooks)
{
    EXPECT_EQ(m_session.Value("select table_name from user_tables where table_name = 'DEPARTMENTS'"), "DEPARTMENTS");
    EXPECT_EQ(m_session.Value("select deferrable from user_constraints where constraint_name = 'DEPARTMENTS_PKEY'"),
              "NOT DEFERRABLE");
    EXPECT_EQ(m_session.Columns().at(0).m_strName, "DEFERRABLE");
    EXPECT_EQ(FirstLine(m_session.Value("select * from dba_tables")), "error: ORA-00942: table or view does not exist");
    Session dba;
    ASSERT_EQ(dba.Connect("LUMIDEX", AdminUser(), AdminPassword(), OCI_SYSDBA), OCI_SUCCESS) << dba.Error();
    EXPECT_EQ(dba.Value("select owner from dba_tables where table_name = 'ORDERS'"), "APP");
}

}  // namespace
