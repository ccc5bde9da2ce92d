#pragma once

// A session of the OCI library called directly, for the figures that read
// through OCI without Lumidex's session: the handles of one logon, freed
// with the environment.

#include "oracle/OciLibrary.h"

namespace bench {

class OciSession {
public:
    explicit OciSession(const OciLibrary& oci) : m_oci(oci) {}
    ~OciSession();
    OciSession(const OciSession&) = delete;
    OciSession& operator=(const OciSession&) = delete;

    bool Logon(const char* pszService, const char* pszUser, const char* pszPassword);
    // Shows the error record on standard error; false, for the caller to
    // return.
    bool ShowError(const char* pszStep);

    const OciLibrary& Oci() const { return m_oci; }
    OCIEnv* Env() const { return m_pEnv; }
    OCIError* Error() const { return m_pError; }
    OCISvcCtx* Service() const { return m_pSvc; }

private:
    const OciLibrary& m_oci;
    OCIEnv* m_pEnv = nullptr;
    OCIError* m_pError = nullptr;
    OCIServer* m_pServer = nullptr;
    OCISvcCtx* m_pSvc = nullptr;
    OCISession* m_pSession = nullptr;
    bool m_bLoggedOn = false;
};

}  // namespace bench
