#include "ocipg/tests/OcipgTest.h"

#include <sys/resource.h>

#include <cstdlib>

namespace ocitest {
namespace {

// The errors whose text needs the server's detail (the constraint, the
// column, where the syntax error lies); the SQLSTATE table itself is
// ErrorMapTest's. Every statement fails, so nothing changes.
TEST(OcipgErrors, SqlStatesMapToOracleErrors)
{
    const struct {
        const char* m_szSql;
        sb4 m_nCode;
        const char* m_szFirstLine;
        const char* m_szServerLine;  // null: not checked
    } cases[] = {
        {"select * from nosuch", 942, "ORA-00942: table or view does not exist",
         "PostgreSQL: relation \"nosuch\" does not exist"},
        {"selec 1", 900, "ORA-00900: invalid SQL statement", "PostgreSQL: syntax error at or near \"selec\""},
        {"select 1 from hr.departments where", 933, "ORA-00933: SQL command not properly ended", nullptr},
        {"insert into hr.departments values (10, 'Again', null)", 1,
         "ORA-00001: unique constraint (HR.DEPARTMENTS_PKEY) violated", nullptr},
        {"insert into hr.employees (employee_id, email) values (99, 'x')", 1400,
         "ORA-01400: cannot insert NULL into (\"HR\".\"EMPLOYEES\".\"LAST_NAME\")", nullptr},
        {"insert into hr.employees (employee_id, last_name, email, salary) values (98, 'x', 'y', -1)", 2290,
         "ORA-02290: check constraint (HR.EMPLOYEES_SALARY_POSITIVE) violated", nullptr},
    };
    Session session;
    ASSERT_EQ(session.Connect("LUMIDEX", "hr", "hr"), OCI_SUCCESS) << session.Error();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_szSql);
        EXPECT_NE(session.Execute(c.m_szSql), OCI_SUCCESS);
        sb4 code = 0;
        const std::string text = session.Error(&code);
        EXPECT_EQ(code, c.m_nCode);
        EXPECT_EQ(FirstLine(text), c.m_szFirstLine);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '\n');
        if (c.m_szServerLine) {
            EXPECT_EQ(text, std::string(c.m_szFirstLine) + "\n" + c.m_szServerLine + "\n");
        }
    }
}

TEST(OcipgErrors, ErrorGetCutsToTheBuffer)
{
    Session session;
    ASSERT_EQ(session.Connect("LUMIDEX", "hr", "wrong"), OCI_ERROR);
    OraText buffer[10];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    sb4 code = 0;
    ASSERT_EQ(OCIErrorGet(session.ErrorHandle(), 1, nullptr, &code, buffer, sizeof buffer, OCI_HTYPE_ERROR),
              OCI_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(buffer), "ORA-01017");
    EXPECT_EQ(OCIErrorGet(session.ErrorHandle(), 2, nullptr, &code, buffer, sizeof buffer, OCI_HTYPE_ERROR),
              OCI_NO_DATA);
}

// Prepares text within a few MB more than the process has, and exits 0 when
// the prepare failed with Oracle's out-of-memory error in the record.
[[noreturn]] void PrepareWithoutMemory(OCIStmt* stmt, OCIError* err, const std::string& text)
{
    const rlimit limit{static_cast<rlim_t>(StatusKb("VmSize:")) * 1024 + (16 << 20), RLIM_INFINITY};
    setrlimit(RLIMIT_AS, &limit);
    const sword status = OCIStmtPrepare(stmt, err, reinterpret_cast<const OraText*>(text.data()),
                                         static_cast<ub4>(text.size()), OCI_NTV_SYNTAX, OCI_DEFAULT);
    sb4 code = 0;
    const bool recorded = ErrorText(err, &code) == "ORA-21501: program could not allocate memory\n";
    std::_Exit(status == OCI_ERROR && code == 21501 && recorded ? 0 : 1);
}

// A statement the library cannot copy within the memory the process may
// have: the prepare fails with an error record, not an exception.
TEST(OcipgErrorsDeathTest, ExhaustedMemoryLeavesAnErrorRecord)
{
    OCIEnv* env = nullptr;
    OCIError* err = nullptr;
    OCIStmt* stmt = nullptr;
    ASSERT_EQ(OCIEnvInit(&env, OCI_DEFAULT, 0, nullptr), OCI_SUCCESS);
    OCIHandleAlloc(env, reinterpret_cast<void**>(&err), OCI_HTYPE_ERROR, 0, nullptr);
    OCIHandleAlloc(env, reinterpret_cast<void**>(&stmt), OCI_HTYPE_STMT, 0, nullptr);
    const std::string text = "select 1 -- " + std::string(64 << 20, 'x');
    EXPECT_EXIT(PrepareWithoutMemory(stmt, err, text), ::testing::ExitedWithCode(0), "");
    OCIHandleFree(env, OCI_HTYPE_ENV);
}

}  // namespace
}  // namespace ocitest
