#include "ocipg/tests/OcipgTest.h"

namespace ocitest {
namespace {

class OcipgStatement : public HrTest {
protected:
    // A table of this session's own: other tests, side by side, list the
    // schemas' tables.
    std::string Scratch()
    {
        EXPECT_EQ(m_session.Execute("create temporary table ocipg_scratch (id integer primary key, label text)"),
                  OCI_SUCCESS)
            << m_session.Error();
        return "ocipg_scratch";
    }

    std::string Count(const std::string& table) { return m_session.Value("select count(*) from " + table); }
};

// What is wrong with a text shows at execute, as with Oracle's client;
// the type still comes from the first word.
TEST_F(OcipgStatement, TextIsCheckedAtExecute)
{
    const struct {
        const char* m_szSql;
        ub2 m_nType;
        sb4 m_nCode;
    } cases[] = {
        {"selec 1", OCI_STMT_UNKNOWN, 900},
        {"select 1 from", OCI_STMT_SELECT, 933},
        {"select * from nosuch_table", OCI_STMT_SELECT, 942},
        {"insert into nosuch_table values (1)", OCI_STMT_INSERT, 942},
        {"select 1; select 2", OCI_STMT_SELECT, 911},
        {"  -- nothing but comments\n /* here */ ", OCI_STMT_UNKNOWN, 900},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_szSql);
        Statement stmt(m_session, c.m_szSql);
        ASSERT_EQ(stmt.Prepared(), OCI_SUCCESS) << m_session.Error();
        EXPECT_EQ(stmt.Get(OCI_ATTR_STMT_TYPE), c.m_nType);
        EXPECT_EQ(stmt.Execute(c.m_nType == OCI_STMT_SELECT ? 0 : 1), OCI_ERROR);
        sb4 code = 0;
        m_session.Error(&code);
        EXPECT_EQ(code, c.m_nCode);
    }
}

// The select list is known once the statement is executed or described,
// and only then.
TEST_F(OcipgStatement, DescriptionComesWithTheExecute)
{
    OCIError* err = m_session.ErrorHandle();
    void* param = nullptr;
    Statement stmt(m_session, "select department_id, department_name from hr.departments order by 1");
    EXPECT_EQ(stmt.Get(OCI_ATTR_PARAM_COUNT), 0u);
    EXPECT_EQ(OCIParamGet(stmt.Handle(), OCI_HTYPE_STMT, err, &param, 1), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-24338: statement handle not executed\n");
    // A define past the select list passes until the list is known; the fetch fails.
    char value[32] = {};
    sb2 indicator = 0;
    ASSERT_EQ(stmt.Define(3, value, sizeof value, &indicator), OCI_SUCCESS);
    ASSERT_EQ(stmt.Execute(), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(stmt.Fetch(), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-01007: variable not in select list\n");
    EXPECT_EQ(stmt.Define(3, value, sizeof value, &indicator), OCI_ERROR);
    EXPECT_EQ(FirstLine(m_session.Error()), "ORA-24308: illegal define position");

    // Described only: the columns, no rows.
    Statement described(m_session, "select department_name from hr.departments");
    ASSERT_EQ(described.Execute(0, OCI_DESCRIBE_ONLY), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(described.Get(OCI_ATTR_PARAM_COUNT), 1u);
    ASSERT_EQ(OCIParamGet(described.Handle(), OCI_HTYPE_STMT, err, &param, 1), OCI_SUCCESS);
    EXPECT_EQ(OCIDescriptorFree(param, OCI_DTYPE_PARAM), OCI_SUCCESS);
    EXPECT_EQ(described.Fetch(), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-24338: statement handle not executed\n");

    // A failed execute leaves no select list; a statement that is no query an empty one.
    Statement failing(m_session, "select nosuch from hr.departments");
    EXPECT_EQ(failing.Execute(), OCI_ERROR);
    EXPECT_EQ(failing.Get(OCI_ATTR_PARAM_COUNT), 0u);
    EXPECT_EQ(OCIParamGet(failing.Handle(), OCI_HTYPE_STMT, err, &param, 1), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-24338: statement handle not executed\n");
    Statement change(m_session, "update hr.departments set location = location where false");
    ASSERT_EQ(change.Execute(1), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(OCIParamGet(change.Handle(), OCI_HTYPE_STMT, err, &param, 1), OCI_ERROR);
    EXPECT_EQ(FirstLine(m_session.Error()), "ORA-24334: no descriptor for this position");
}

// As in Oracle, a failed statement undoes itself only, not the open transaction.
TEST_F(OcipgStatement, FailedStatementKeepsTheOpenTransaction)
{
    const std::string table = Scratch();
    ASSERT_EQ(m_session.Execute("insert into " + table + " values (1, 'a')", OCI_DEFAULT), OCI_SUCCESS);
    EXPECT_EQ(m_session.Execute("insert into " + table + " values (2, 'b'), (1, 'dup')", OCI_DEFAULT), OCI_ERROR);
    sb4 code = 0;
    m_session.Error(&code);
    EXPECT_EQ(code, 1);
    ASSERT_EQ(m_session.Execute("insert into " + table + " values (3, 'c')"), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(m_session.Value("select string_agg(id::text, ',' order by id) from " + table), "1,3");
}

TEST_F(OcipgStatement, TwoStatementsAreRefusedAndNothingRuns)
{
    const std::string table = Scratch();
    // What hides the ';' from a lesser scanner: SqlTextTest, SqlTextServerTest.
    for (const std::string& sql : {"insert into " + table + " values (1, 'a'); insert into " + table + " values (2, 'b')",
                                  "insert into " + table + " values (1, 'a\\'); insert into " + table + " values (2, '--')"}) {
        SCOPED_TRACE(sql);
        EXPECT_EQ(m_session.Execute(sql), OCI_ERROR);
        EXPECT_EQ(m_session.Error(), "ORA-00911: invalid character\n");
    }
    EXPECT_EQ(Count(table), "0");
    // Semicolons inside literals, names and comments, and a trailing one, are fine.
    std::vector<std::vector<std::string>> rows;
    ASSERT_EQ(m_session.Query("select 'a;b' as \"x;y\" /* ; */ ;", rows), OCI_SUCCESS) << m_session.Error();
    EXPECT_EQ(rows.at(0).at(0), "a;b");
    EXPECT_EQ(m_session.Columns().at(0).m_strName, "x;y");
}

// A query left open does not stand in the way of the statements after it.
TEST_F(OcipgStatement, NonQueryWhileAQueryIsOpen)
{
    const std::string table = Scratch();
    ASSERT_EQ(m_session.Execute("select g from generate_series(1, 2000) g"), OCI_SUCCESS) << m_session.Error();
    std::vector<std::string> values;
    ASSERT_EQ(m_session.FetchRow(values), OCI_SUCCESS);
    EXPECT_EQ(values.at(0), "1");
    // Run on a statement of its own, as Lumidex keeps the query meanwhile.
    Statement insert(m_session, "insert into " + table + " values (1, 'a')");
    ASSERT_EQ(insert.Execute(1, OCI_COMMIT_ON_SUCCESS), OCI_SUCCESS) << m_session.Error();
    // The commit closed the cursor, as a commit closes Oracle's FOR UPDATE cursors.
    EXPECT_EQ(m_session.FetchRow(values), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-01002: fetch out of sequence\n");
    EXPECT_EQ(Count(table), "1");
}

// The data dictionary is made before each statement that names it; DBA_
// views only for a superuser.
TEST_F(OcipgStatement, DictionaryViewsThroughTheHooks)
{
    std::vector<std::vector<std::string>> rows;
    ASSERT_EQ(m_session.Query("select table_name from user_tables where table_name = 'DEPARTMENTS'", rows), OCI_SUCCESS)
        << m_session.Error();
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{"DEPARTMENTS"}}));
    // DEFERRABLE is reserved in PostgreSQL: the library quotes it in queries.
    ASSERT_EQ(m_session.Query("select deferrable from user_constraints where constraint_name = 'DEPARTMENTS_PKEY'", rows),
              OCI_SUCCESS)
        << m_session.Error();
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(m_session.Columns().at(0).m_strName, "DEFERRABLE");
    EXPECT_EQ(m_session.Execute("select * from dba_tables"), OCI_ERROR);
    EXPECT_EQ(FirstLine(m_session.Error()), "ORA-00942: table or view does not exist");
    Session dba;
    ASSERT_EQ(dba.Connect("LUMIDEX", AdminUser(), AdminPassword(), OCI_SYSDBA), OCI_SUCCESS) << dba.Error();
    ASSERT_EQ(dba.Query("select owner from dba_tables where table_name = 'ORDERS'", rows), OCI_SUCCESS) << dba.Error();
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{"APP"}}));
}

TEST_F(OcipgStatement, BindByPositionWithStringsAndIntegers)
{
    Statement query(m_session, "select last_name || :suffix from hr.employees where employee_id = :1 and 1::int = 1");
    OCIStmt* stmt = query.Handle();
    OCIError* err = m_session.ErrorHandle();
    char suffix[] = "!";
    int id = 1;
    OCIBind* bind1 = nullptr;
    OCIBind* bind2 = nullptr;
    ASSERT_EQ(OCIBindByPos(stmt, &bind1, err, 1, suffix, sizeof suffix, SQLT_STR, nullptr, nullptr, nullptr, 0,
                            nullptr, OCI_DEFAULT),
              OCI_SUCCESS);
    EXPECT_EQ(query.Execute(), OCI_ERROR);
    EXPECT_EQ(m_session.Error(), "ORA-01008: not all variables bound\n");
    ASSERT_EQ(OCIBindByPos(stmt, &bind2, err, 2, &id, sizeof id, SQLT_INT, nullptr, nullptr, nullptr, 0, nullptr,
                            OCI_DEFAULT),
              OCI_SUCCESS);
    EXPECT_EQ(OCIBindByPos(stmt, &bind2, err, 3, &id, sizeof id, SQLT_INT, nullptr, nullptr, nullptr, 0, nullptr,
                            OCI_DEFAULT),
              OCI_ERROR);
    ASSERT_EQ(query.Execute(), OCI_SUCCESS) << m_session.Error();
    char value[40] = {};
    sb2 indicator = 0;
    ASSERT_EQ(query.Define(1, value, sizeof value, &indicator), OCI_SUCCESS);
    ASSERT_EQ(query.Fetch(), OCI_SUCCESS) << m_session.Error();
    EXPECT_STREQ(value, "King!");
}

}  // namespace
}  // namespace ocitest
