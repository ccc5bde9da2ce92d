#include "ocipg/tests/OcipgTest.h"

namespace ocitest {
namespace {

TEST(OcipgHandles, EveryEntryPointResolves)
{
    EXPECT_TRUE(Oci().m_missing.empty()) << Oci().m_missing.front();
}

// Null, wrong-typed and freed handles are refused, never followed.
TEST(OcipgHandles, BadHandlesGiveInvalidHandle)
{
    const OciApi& oci = Oci();
    OCIEnv* env = nullptr;
    ASSERT_EQ(oci.EnvInit(&env, OCI_DEFAULT, 0, nullptr), OCI_SUCCESS);
    OCIError* err = nullptr;
    OCIStmt* freed = nullptr;
    ASSERT_EQ(oci.HandleAlloc(env, reinterpret_cast<void**>(&err), OCI_HTYPE_ERROR, 0, nullptr), OCI_SUCCESS);
    ASSERT_EQ(oci.HandleAlloc(env, reinterpret_cast<void**>(&freed), OCI_HTYPE_STMT, 0, nullptr), OCI_SUCCESS);
    ASSERT_EQ(oci.HandleFree(freed, OCI_HTYPE_STMT), OCI_SUCCESS);
    auto* wrong = reinterpret_cast<OCIStmt*>(err);  // an error handle where a statement belongs
    ub4 value = 0;
    const OraText sql[] = "select 1";
    void* param = nullptr;
    OCIDefine* define = nullptr;
    OCIBind* bind = nullptr;
    for (OCIStmt* stmt : {static_cast<OCIStmt*>(nullptr), wrong, freed}) {
        SCOPED_TRACE(stmt == wrong ? "wrong type" : stmt ? "freed" : "null");
        EXPECT_EQ(oci.StmtPrepare(stmt, err, sql, 8, OCI_NTV_SYNTAX, OCI_DEFAULT), OCI_INVALID_HANDLE);
        EXPECT_EQ(oci.StmtExecute(nullptr, stmt, err, 0, 0, nullptr, nullptr, OCI_DEFAULT), OCI_INVALID_HANDLE);
        EXPECT_EQ(oci.StmtFetch(stmt, err, 1, OCI_FETCH_NEXT, OCI_DEFAULT), OCI_INVALID_HANDLE);
        EXPECT_EQ(oci.AttrGet(stmt, OCI_HTYPE_STMT, &value, nullptr, OCI_ATTR_ROW_COUNT, err), OCI_INVALID_HANDLE);
        EXPECT_EQ(oci.AttrSet(stmt, OCI_HTYPE_STMT, &value, 4, OCI_ATTR_PREFETCH_ROWS, err), OCI_INVALID_HANDLE);
        EXPECT_EQ(oci.ParamGet(stmt, OCI_HTYPE_STMT, err, &param, 1), OCI_INVALID_HANDLE);
        EXPECT_EQ(oci.DefineByPos(stmt, &define, err, 1, &value, 4, SQLT_STR, nullptr, nullptr, nullptr, 0),
                  OCI_INVALID_HANDLE);
        EXPECT_EQ(oci.BindByPos(stmt, &bind, err, 1, &value, 4, SQLT_INT, nullptr, nullptr, nullptr, 0, nullptr, 0),
                  OCI_INVALID_HANDLE);
        EXPECT_EQ(oci.HandleFree(stmt, OCI_HTYPE_STMT), OCI_INVALID_HANDLE);
    }
    void* handle = nullptr;
    EXPECT_EQ(oci.HandleAlloc(nullptr, &handle, OCI_HTYPE_ERROR, 0, nullptr), OCI_INVALID_HANDLE);
    EXPECT_EQ(oci.HandleAlloc(err, &handle, OCI_HTYPE_ERROR, 0, nullptr), OCI_INVALID_HANDLE);
    EXPECT_EQ(oci.HandleAlloc(env, &handle, 999, 0, nullptr), OCI_INVALID_HANDLE);
    EXPECT_EQ(oci.ServerAttach(nullptr, err, sql, 8, OCI_DEFAULT), OCI_INVALID_HANDLE);
    EXPECT_EQ(oci.ServerDetach(reinterpret_cast<OCIServer*>(env), err, OCI_DEFAULT), OCI_INVALID_HANDLE);
    EXPECT_EQ(oci.SessionBegin(nullptr, err, nullptr, OCI_CRED_RDBMS, OCI_DEFAULT), OCI_INVALID_HANDLE);
    EXPECT_EQ(oci.SessionEnd(nullptr, err, nullptr, OCI_DEFAULT), OCI_INVALID_HANDLE);
    EXPECT_EQ(oci.ErrorGet(env, 1, nullptr, nullptr, nullptr, 0, OCI_HTYPE_ERROR), OCI_INVALID_HANDLE);
    EXPECT_EQ(oci.ErrorGet(nullptr, 1, nullptr, nullptr, nullptr, 0, OCI_HTYPE_ERROR), OCI_INVALID_HANDLE);
    EXPECT_EQ(oci.HandleFree(err, OCI_HTYPE_STMT), OCI_INVALID_HANDLE);
    EXPECT_EQ(oci.EnvInit(nullptr, OCI_DEFAULT, 0, nullptr), OCI_INVALID_HANDLE);
    // Freeing the environment frees what was allocated from it.
    EXPECT_EQ(oci.HandleFree(env, OCI_HTYPE_ENV), OCI_SUCCESS);
    EXPECT_EQ(oci.ErrorGet(err, 1, nullptr, nullptr, nullptr, 0, OCI_HTYPE_ERROR), OCI_INVALID_HANDLE);
}

// Oracle's prepare is local: it needs no session, and any text but an empty
// one passes; what is wrong with the text shows at execute.
TEST(OcipgHandles, PrepareNeedsNoServer)
{
    const OciApi& oci = Oci();
    OCIEnv* env = nullptr;
    ASSERT_EQ(oci.EnvInit(&env, OCI_DEFAULT, 0, nullptr), OCI_SUCCESS);
    OCIError* err = nullptr;
    OCIStmt* stmt = nullptr;
    ASSERT_EQ(oci.HandleAlloc(env, reinterpret_cast<void**>(&err), OCI_HTYPE_ERROR, 0, nullptr), OCI_SUCCESS);
    ASSERT_EQ(oci.HandleAlloc(env, reinterpret_cast<void**>(&stmt), OCI_HTYPE_STMT, 0, nullptr), OCI_SUCCESS);
    for (const std::string sql : {"select * from nosuch_table", "selec 1", "select 1; select 2", " -- only this"}) {
        SCOPED_TRACE(sql);
        EXPECT_EQ(oci.StmtPrepare(stmt, err, reinterpret_cast<const OraText*>(sql.data()),
                                  static_cast<ub4>(sql.size()), OCI_NTV_SYNTAX, OCI_DEFAULT),
                  OCI_SUCCESS);
    }
    EXPECT_EQ(oci.StmtPrepare(stmt, err, reinterpret_cast<const OraText*>("select 1"), 0, OCI_NTV_SYNTAX, OCI_DEFAULT),
              OCI_ERROR);
    sb4 code = 0;
    ErrorText(oci, err, &code);
    EXPECT_EQ(code, 24373);
    EXPECT_EQ(oci.HandleFree(env, OCI_HTYPE_ENV), OCI_SUCCESS);
}

// Each call starts with a clean record: a success after a failure leaves none.
TEST(OcipgHandles, ErrorRecordIsClearedByTheNextCall)
{
    Session session(Oci());
    ASSERT_EQ(session.Connect("LUMIDEX", "hr", "hr"), OCI_SUCCESS) << session.Error();
    EXPECT_EQ(session.Execute("select * from nosuch_table"), OCI_ERROR);
    EXPECT_NE(session.Error(), "");
    EXPECT_EQ(session.Execute("select 1"), OCI_SUCCESS);
    EXPECT_EQ(Oci().ErrorGet(session.ErrorHandle(), 1, nullptr, nullptr, nullptr, 0, OCI_HTYPE_ERROR), OCI_NO_DATA);
}

// After logoff every call on the old handles fails cleanly.
TEST(OcipgHandles, CallsAfterLogoffFailCleanly)
{
    const OciApi& oci = Oci();
    Session session(oci);
    ASSERT_EQ(session.Connect("LUMIDEX", "hr", "hr"), OCI_SUCCESS) << session.Error();
    ASSERT_EQ(session.Execute("select 1"), OCI_SUCCESS);
    OCIStmt* query = session.QueryStatement();
    ASSERT_EQ(oci.SessionEnd(session.ServiceContext(), session.ErrorHandle(), nullptr, OCI_DEFAULT), OCI_SUCCESS);
    EXPECT_EQ(oci.StmtFetch(query, session.ErrorHandle(), 1, OCI_FETCH_NEXT, OCI_DEFAULT), OCI_ERROR);
    EXPECT_EQ(session.Execute("select 1"), OCI_ERROR);
    EXPECT_EQ(FirstLine(session.Error()), "ORA-03114: not connected to ORACLE");
    EXPECT_EQ(oci.SessionEnd(session.ServiceContext(), session.ErrorHandle(), nullptr, OCI_DEFAULT), OCI_ERROR);
}

}  // namespace
}  // namespace ocitest
