#include "bench/OciSession.h"

#include <cstdio>
#include <cstring>

namespace bench {

OciSession::~OciSession()
{
    if (m_bLoggedOn)
        m_oci.m_pfnOCISessionEnd(m_pSvc, m_pError, m_pSession, OCI_DEFAULT);
    if (m_pEnv)
        m_oci.m_pfnOCIHandleFree(m_pEnv, OCI_HTYPE_ENV);
}

bool OciSession::Logon(const char* pszService, const char* pszUser, const char* pszPassword)
{
    if (m_oci.m_pfnOCIEnvInit(&m_pEnv, OCI_DEFAULT, 0, nullptr) != OCI_SUCCESS)
        return false;
    m_oci.m_pfnOCIHandleAlloc(m_pEnv, reinterpret_cast<void**>(&m_pError), OCI_HTYPE_ERROR, 0, nullptr);
    m_oci.m_pfnOCIHandleAlloc(m_pEnv, reinterpret_cast<void**>(&m_pServer), OCI_HTYPE_SERVER, 0, nullptr);
    m_oci.m_pfnOCIHandleAlloc(m_pEnv, reinterpret_cast<void**>(&m_pSvc), OCI_HTYPE_SVCCTX, 0, nullptr);
    m_oci.m_pfnOCIHandleAlloc(m_pEnv, reinterpret_cast<void**>(&m_pSession), OCI_HTYPE_SESSION, 0, nullptr);
    if (m_oci.m_pfnOCIServerAttach(m_pServer, m_pError, reinterpret_cast<const OraText*>(pszService),
                                   static_cast<sb4>(std::strlen(pszService)), OCI_DEFAULT) != OCI_SUCCESS)
        return ShowError("attach");
    m_oci.m_pfnOCIAttrSet(m_pSvc, OCI_HTYPE_SVCCTX, m_pServer, 0, OCI_ATTR_SERVER, m_pError);
    m_oci.m_pfnOCIAttrSet(m_pSession, OCI_HTYPE_SESSION, const_cast<char*>(pszUser),
                          static_cast<ub4>(std::strlen(pszUser)), OCI_ATTR_USERNAME, m_pError);
    m_oci.m_pfnOCIAttrSet(m_pSession, OCI_HTYPE_SESSION, const_cast<char*>(pszPassword),
                          static_cast<ub4>(std::strlen(pszPassword)), OCI_ATTR_PASSWORD, m_pError);
    if (m_oci.m_pfnOCISessionBegin(m_pSvc, m_pError, m_pSession, OCI_CRED_RDBMS, OCI_DEFAULT) != OCI_SUCCESS)
        return ShowError("logon");
    m_bLoggedOn = true;
    m_oci.m_pfnOCIAttrSet(m_pSvc, OCI_HTYPE_SVCCTX, m_pSession, 0, OCI_ATTR_SESSION, m_pError);
    return true;
}

bool OciSession::ShowError(const char* pszStep)
{
    OraText szText[1024] = {};
    sb4 nCode = 0;
    m_oci.m_pfnOCIErrorGet(m_pError, 1, nullptr, &nCode, szText, sizeof szText, OCI_HTYPE_ERROR);
    std::fprintf(stderr, "bench: %s failed: %s\n", pszStep, reinterpret_cast<char*>(szText));
    return false;
}

}  // namespace bench
