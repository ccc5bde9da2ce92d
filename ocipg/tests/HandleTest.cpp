#include "ocipg/tests/OcipgTest.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>

using namespace ocitest;

namespace {

using OcipgHandles = HrTest;

// On an environment of its own: null, wrong-typed and freed handles are refused, never followed.
TEST_F(OcipgHandles, BadHandlesAndErrorRecords)
{
    OCIEnv* env = nullptr;
    ASSERT_EQ(OCIEnvInit(&env, OCI_DEFAULT, 0, nullptr), OCI_SUCCESS);
    OCIError* err = nullptr;
    OCIStmt* freed = nullptr;
    sb4 code = 0;
    ASSERT_EQ(OCIHandleAlloc(env, reinterpret_cast<void**>(&err), OCI_HTYPE_ERROR, 0, nullptr), OCI_SUCCESS);
    ASSERT_EQ(OCIHandleAlloc(env, reinterpret_cast<void**>(&freed), OCI_HTYPE_STMT, 0, nullptr), OCI_SUCCESS);
    // Oracle's prepare is local: no session needed, any text but an empty one passes. A record read into a short
    // buffer is cut to it; the next call's success clears it.
    const OraText sql[] = "selec 1";
    EXPECT_EQ(OCIStmtPrepare(freed, err, sql, 0, OCI_NTV_SYNTAX, OCI_DEFAULT), OCI_ERROR);
    OraText buffer[10];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    ASSERT_EQ(OCIErrorGet(err, 1, nullptr, &code, buffer, sizeof buffer, OCI_HTYPE_ERROR), OCI_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(buffer), "ORA-24373");
    EXPECT_EQ(OCIErrorGet(err, 2, nullptr, &code, buffer, sizeof buffer, OCI_HTYPE_ERROR), OCI_NO_DATA);
    EXPECT_EQ(OCIStmtPrepare(freed, err, sql, 7, OCI_NTV_SYNTAX, OCI_DEFAULT), OCI_SUCCESS);
    EXPECT_EQ(OCIErrorGet(err, 1, nullptr, nullptr, nullptr, 0, OCI_HTYPE_ERROR), OCI_NO_DATA);
    // No memory for the copy of a text within a real call: no exception crosses the C ABI, the record says why.
    const std::string huge = "select 1 -- " + std::string(64 << 20, 'x');
    const auto prepareWithoutMemory = [&] {
        const rlimit limit{static_cast<rlim_t>(StatusKb("VmSize:")) * 1024 + (16 << 20), RLIM_INFINITY};
        setrlimit(RLIMIT_AS, &limit);
        const sword status = OCIStmtPrepare(freed, err, reinterpret_cast<const OraText*>(huge.data()),
                                            static_cast<ub4>(huge.size()), OCI_NTV_SYNTAX, OCI_DEFAULT);
        std::_Exit(status == OCI_ERROR && ErrorText(err) == "ORA-21501: program could not allocate memory\n" ? 0 : 1);
    };
    EXPECT_EXIT(prepareWithoutMemory(), ::testing::ExitedWithCode(0), "");
    ASSERT_EQ(OCIHandleFree(freed, OCI_HTYPE_STMT), OCI_SUCCESS);
    auto* wrong = reinterpret_cast<OCIStmt*>(err);  // an error handle where a statement belongs
    ub4 value = 0;
    void* param = nullptr;
    OCIDefine* define = nullptr;
    OCIBind* bind = nullptr;
    for (OCIStmt* stmt : {static_cast<OCIStmt*>(nullptr), wrong, freed}) {
        SCOPED_TRACE(stmt == wrong ? "wrong type" : stmt ? "freed" : "null");
        EXPECT_EQ(OCIStmtPrepare(stmt, err, sql, 7, OCI_NTV_SYNTAX, OCI_DEFAULT), OCI_INVALID_HANDLE);
        EXPECT_EQ(OCIStmtExecute(nullptr, stmt, err, 0, 0, nullptr, nullptr, OCI_DEFAULT), OCI_INVALID_HANDLE);
        EXPECT_EQ(OCIStmtFetch(stmt, err, 1, OCI_FETCH_NEXT, OCI_DEFAULT), OCI_INVALID_HANDLE);
        EXPECT_EQ(OCIAttrGet(stmt, OCI_HTYPE_STMT, &value, nullptr, OCI_ATTR_ROW_COUNT, err), OCI_INVALID_HANDLE);
        EXPECT_EQ(OCIAttrSet(stmt, OCI_HTYPE_STMT, &value, 4, OCI_ATTR_PREFETCH_ROWS, err), OCI_INVALID_HANDLE);
        EXPECT_EQ(OCIParamGet(stmt, OCI_HTYPE_STMT, err, &param, 1), OCI_INVALID_HANDLE);
        EXPECT_EQ(OCIDefineByPos(stmt, &define, err, 1, &value, 4, SQLT_STR, nullptr, nullptr, nullptr, 0),
                  OCI_INVALID_HANDLE);
        EXPECT_EQ(OCIBindByPos(stmt, &bind, err, 1, &value, 4, SQLT_INT, nullptr, nullptr, nullptr, 0, nullptr, 0),
                  OCI_INVALID_HANDLE);
        EXPECT_EQ(OCIHandleFree(stmt, OCI_HTYPE_STMT), OCI_INVALID_HANDLE);
    }
    void* handle = nullptr;
    EXPECT_EQ(OCIHandleAlloc(nullptr, &handle, OCI_HTYPE_ERROR, 0, nullptr), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIHandleAlloc(err, &handle, OCI_HTYPE_ERROR, 0, nullptr), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIHandleAlloc(env, &handle, 999, 0, nullptr), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIServerAttach(nullptr, err, sql, 7, OCI_DEFAULT), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIServerDetach(reinterpret_cast<OCIServer*>(env), err, OCI_DEFAULT), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCISessionBegin(nullptr, err, nullptr, OCI_CRED_RDBMS, OCI_DEFAULT), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCISessionEnd(nullptr, err, nullptr, OCI_DEFAULT), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIErrorGet(env, 1, nullptr, nullptr, nullptr, 0, OCI_HTYPE_ERROR), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIErrorGet(nullptr, 1, nullptr, nullptr, nullptr, 0, OCI_HTYPE_ERROR), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIHandleFree(err, OCI_HTYPE_STMT), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIEnvInit(nullptr, OCI_DEFAULT, 0, nullptr), OCI_INVALID_HANDLE);
    // Freeing the environment frees what was allocated from it.
    EXPECT_EQ(OCIHandleFree(env, OCI_HTYPE_ENV), OCI_SUCCESS);
    EXPECT_EQ(OCIErrorGet(err, 1, nullptr, nullptr, nullptr, 0, OCI_HTYPE_ERROR), OCI_INVALID_HANDLE);
    // After logoff, calls on the old handles fail cleanly.
    ASSERT_EQ(OCISessionEnd(m_session.ServiceContext(), m_session.ErrorHandle(), nullptr, OCI_DEFAULT), OCI_SUCCESS);
    EXPECT_EQ(FirstLine(m_session.Value("select 1")), "error: ORA-03114: not connected to ORACLE");
    EXPECT_EQ(OCISessionEnd(m_session.ServiceContext(), m_session.ErrorHandle(), nullptr, OCI_DEFAULT), OCI_ERROR);
}

// Each OCIParamGet gives a descriptor of its own, which lives until OCIDescriptorFree or the end of the environment,
// not of the statement.
TEST_F(OcipgHandles, DescriptorsOwnedByTheEnvironment)
{
    OCIError* err = m_session.ErrorHandle();
    void* first = nullptr;
    void* second = nullptr;
    {
        Statement stmt(m_session, "select department_name from hr.departments");
        ASSERT_EQ(stmt.Execute(), OCI_SUCCESS) << m_session.Error();
        ASSERT_EQ(OCIParamGet(stmt.Handle(), OCI_HTYPE_STMT, err, &first, 1), OCI_SUCCESS);
        ASSERT_EQ(OCIParamGet(stmt.Handle(), OCI_HTYPE_STMT, err, &second, 1), OCI_SUCCESS);
        EXPECT_NE(first, second);
    }
    OraText* name = nullptr;
    ub4 length = 0;
    ASSERT_EQ(OCIAttrGet(first, OCI_DTYPE_PARAM, &name, &length, OCI_ATTR_NAME, err), OCI_SUCCESS);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(name), length), "DEPARTMENT_NAME");
    EXPECT_EQ(OCIDescriptorFree(first, OCI_DTYPE_PARAM), OCI_SUCCESS);
    // Freed twice, of another type, or no descriptor: refused, never followed.
    EXPECT_EQ(OCIDescriptorFree(first, OCI_DTYPE_PARAM), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIAttrGet(first, OCI_DTYPE_PARAM, &name, &length, OCI_ATTR_NAME, err), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIDescriptorFree(second, OCI_HTYPE_STMT), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIHandleFree(second, OCI_DTYPE_PARAM), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIDescriptorFree(err, OCI_DTYPE_PARAM), OCI_INVALID_HANDLE);
    EXPECT_EQ(OCIDescriptorFree(nullptr, OCI_DTYPE_PARAM), OCI_INVALID_HANDLE);
    ASSERT_EQ(OCIAttrGet(second, OCI_DTYPE_PARAM, &name, &length, OCI_ATTR_NAME, err), OCI_SUCCESS);
    m_session.Disconnect();  // frees the environment
    EXPECT_EQ(OCIDescriptorFree(second, OCI_DTYPE_PARAM), OCI_INVALID_HANDLE);
}

// A program that frees each descriptor stays flat.
TEST_F(OcipgHandles, FreedDescriptorsReturnTheirMemory)
{
    Statement stmt(m_session, "select 1 as one");
    ASSERT_EQ(stmt.Execute(), OCI_SUCCESS) << m_session.Error();
    long before = 0;
    for (int i = 0; i < 100000; ++i) {
        before = i == 50000 ? StatusKb("VmRSS:") : before;  // the first half warms up
        void* param = nullptr;
        ASSERT_EQ(OCIParamGet(stmt.Handle(), OCI_HTYPE_STMT, m_session.ErrorHandle(), &param, 1), OCI_SUCCESS);
        OCIDescriptorFree(param, OCI_DTYPE_PARAM);
    }
    EXPECT_LT(StatusKb("VmRSS:") - before, 256);
}

}  // namespace
