#include "ocipg/tests/OcipgTest.h"

namespace ocitest {

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
    m_columns.clear();
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

void Session::Disconnect()
{
    m_pQuery.reset();
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
