#include "ocipg/tests/OcipgTest.h"

#include <cstdio>
#include <cstdlib>

namespace ocitest {
namespace {

// Before the first test: the cluster answers, or the run stops at once with
// why; the tests find its tnsnames.ora.
class ClusterEnvironment : public ::testing::Environment {
    void SetUp() override
    {
        if (const std::string problem = ClusterProblem(); !problem.empty()) {
            std::fputs(problem.c_str(), stderr);
            std::exit(1);
        }
        setenv("TNS_ADMIN", TnsAdmin().c_str(), 1);
    }
};

::testing::Environment* const kCluster = ::testing::AddGlobalTestEnvironment(new ClusterEnvironment);

}  // namespace

std::string ErrorText(OCIError* error, sb4* code)
{
    OraText buffer[2048] = {};
    sb4 number = 0;
    if (OCIErrorGet(error, 1, nullptr, &number, buffer, sizeof buffer, OCI_HTYPE_ERROR) != OCI_SUCCESS)
        return {};
    if (code)
        *code = number;
    return reinterpret_cast<char*>(buffer);
}

Session::Session() = default;
Session::~Session() { Disconnect(); }
OCIStmt* Session::QueryStatement() const { return m_pQuery ? m_pQuery->Handle() : nullptr; }

sword Session::Connect(const std::string& service, const std::string& user, const std::string& password, ub4 mode)
{
    OCIInitialize(OCI_OBJECT, nullptr, nullptr, nullptr, nullptr);
    sword status = OCIEnvInit(&m_pEnv, OCI_ENV_NO_UCB, 0, nullptr);
    if (status != OCI_SUCCESS)
        return status;
    OCIHandleAlloc(m_pEnv, reinterpret_cast<void**>(&m_pError), OCI_HTYPE_ERROR, 0, nullptr);
    OCIHandleAlloc(m_pEnv, reinterpret_cast<void**>(&m_pServer), OCI_HTYPE_SERVER, 0, nullptr);
    OCIHandleAlloc(m_pEnv, reinterpret_cast<void**>(&m_pSvc), OCI_HTYPE_SVCCTX, 0, nullptr);
    status = OCIServerAttach(m_pServer, m_pError, reinterpret_cast<const OraText*>(service.data()),
                                static_cast<sb4>(service.size()), OCI_DEFAULT);
    if (status != OCI_SUCCESS)
        return status;
    OCIAttrSet(m_pSvc, OCI_HTYPE_SVCCTX, m_pServer, 0, OCI_ATTR_SERVER, m_pError);
    OCIHandleAlloc(m_pEnv, reinterpret_cast<void**>(&m_pSession), OCI_HTYPE_SESSION, 0, nullptr);
    const bool external = user.empty() && password.empty();
    OCIAttrSet(m_pSession, OCI_HTYPE_SESSION, const_cast<char*>(user.data()), static_cast<ub4>(user.size()),
                  OCI_ATTR_USERNAME, m_pError);
    OCIAttrSet(m_pSession, OCI_HTYPE_SESSION, const_cast<char*>(password.data()),
                  static_cast<ub4>(password.size()), OCI_ATTR_PASSWORD, m_pError);
    status = OCISessionBegin(m_pSvc, m_pError, m_pSession, external ? OCI_CRED_EXT : OCI_CRED_RDBMS, mode);
    // A warning (an expiring password) leaves the session logged on and its record to read.
    m_bLoggedOn = status == OCI_SUCCESS || status == OCI_SUCCESS_WITH_INFO;
    if (status == OCI_SUCCESS)
        status = OCIAttrSet(m_pSvc, OCI_HTYPE_SVCCTX, m_pSession, 0, OCI_ATTR_SESSION, m_pError);
    return status;
}

Statement::Statement(const Session& session, const std::string& sql)
    : m_pError(session.ErrorHandle()), m_pSvc(session.ServiceContext())
{
    OCIHandleAlloc(session.EnvHandle(), reinterpret_cast<void**>(&m_pStmt), OCI_HTYPE_STMT, 0, nullptr);
    m_nPrepared = OCIStmtPrepare(m_pStmt, m_pError, reinterpret_cast<const OraText*>(sql.data()),
                                 static_cast<ub4>(sql.size()), OCI_NTV_SYNTAX, OCI_DEFAULT);
}

sword Statement::Set(ub4 attribute, ub4 value)
{
    return OCIAttrSet(m_pStmt, OCI_HTYPE_STMT, &value, sizeof value, attribute, m_pError);
}

ub4 Statement::Get(ub4 attribute) const
{
    ub4 value = 0;
    OCIAttrGet(m_pStmt, OCI_HTYPE_STMT, &value, nullptr, attribute, m_pError);
    return value;
}

sword Statement::Define(ub4 position, void* buffer, sb4 size, sb2* indicator, ub2* length, ub2* code)
{
    OCIDefine* define = nullptr;
    return OCIDefineByPos(m_pStmt, &define, m_pError, position, buffer, size, SQLT_STR, indicator, length, code,
                          OCI_DEFAULT);
}

sword Session::Execute(const std::string& sql, ub4 commitMode)
{
    m_nRowCount = 0;
    auto stmt = std::make_unique<Statement>(*this, sql);
    sword status = stmt->Prepared();
    if (status != OCI_SUCCESS)
        return status;
    if (stmt->Get(OCI_ATTR_STMT_TYPE) != OCI_STMT_SELECT) {
        status = stmt->Execute(1, commitMode);
        if (status == OCI_SUCCESS)
            m_nRowCount = stmt->Get(OCI_ATTR_ROW_COUNT);
        return status;
    }
    CloseQuery();
    m_pQuery = std::move(stmt);
    status = m_pQuery->Execute();
    const ub4 count = status == OCI_SUCCESS ? m_pQuery->Get(OCI_ATTR_PARAM_COUNT) : 0;
    m_buffers.assign(count, {});
    m_indicators.assign(count, 0);
    for (ub4 i = 0; i < count && status == OCI_SUCCESS; ++i) {
        OCIParam* param = nullptr;
        status = OCIParamGet(m_pQuery->Handle(), OCI_HTYPE_STMT, m_pError, reinterpret_cast<void**>(&param), i + 1);
        if (status != OCI_SUCCESS)
            return status;
        OraText* name = nullptr;
        ub4 length = 0;
        Column column;
        OCIAttrGet(param, OCI_DTYPE_PARAM, &name, &length, OCI_ATTR_NAME, m_pError);
        OCIAttrGet(param, OCI_DTYPE_PARAM, &column.m_nDisplaySize, nullptr, OCI_ATTR_DISP_SIZE, m_pError);
        OCIAttrGet(param, OCI_DTYPE_PARAM, &column.m_nDataType, nullptr, OCI_ATTR_DATA_TYPE, m_pError);
        column.m_strName.assign(reinterpret_cast<char*>(name), length);
        OCIDescriptorFree(param, OCI_DTYPE_PARAM);
        m_columns.push_back(column);
        m_buffers[i].assign(column.m_nDisplaySize + 1u, '\0');
        status = m_pQuery->Define(i + 1, m_buffers[i].data(), static_cast<sb4>(m_buffers[i].size()), &m_indicators[i]);
    }
    return status;
}

sword Session::FetchRow(std::vector<std::string>& values)
{
    values.clear();
    const sword status = m_pQuery->Fetch();
    if (status != OCI_SUCCESS)
        return status;
    for (size_t i = 0; i < m_buffers.size(); ++i)
        values.push_back(m_indicators[i] == -1 ? "NULL" : m_buffers[i].data());
    return status;
}

sword Session::Query(const std::string& sql, std::vector<std::vector<std::string>>& rows)
{
    rows.clear();
    sword status = Execute(sql);
    if (status != OCI_SUCCESS)
        return status;
    std::vector<std::string> values;
    while ((status = FetchRow(values)) == OCI_SUCCESS)
        rows.push_back(values);
    return status == OCI_NO_DATA ? OCI_SUCCESS : status;
}

std::string Session::Value(const std::string& sql)
{
    std::vector<std::vector<std::string>> rows;
    if (Query(sql, rows) != OCI_SUCCESS)
        return "error: " + Error();
    return rows.empty() || rows[0].empty() ? "" : rows[0][0];
}

void Session::CloseQuery()
{
    m_pQuery.reset();
    m_columns.clear();
    m_buffers.clear();
    m_indicators.clear();
}

void Session::Disconnect()
{
    CloseQuery();
    if (m_bLoggedOn)
        OCISessionEnd(m_pSvc, m_pError, m_pSession, OCI_DEFAULT);
    if (m_pServer)
        OCIServerDetach(m_pServer, m_pError, OCI_DEFAULT);
    if (m_pEnv) {
        OCIHandleFree(m_pEnv, OCI_HTYPE_ENV);  // and every handle allocated from it
        OCITerminate(OCI_DEFAULT);
    }
    m_bLoggedOn = false;
    m_pServer = nullptr;
    m_pEnv = nullptr;
}

}  // namespace ocitest
