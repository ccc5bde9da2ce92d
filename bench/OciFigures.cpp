// Reading a result through the OCI library itself, as a program that sets
// a prefetch count would: one OCIStmtFetch per row into text buffers of
// display size + 1.

#include "bench/Figures.h"

#include "bench/BenchSupport.h"
#include "oracle/OciLibrary.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace bench {

namespace {

constexpr ub4 kPrefetchRows = 1000;

// The handles of one logged-on session; freed with the environment.
class OciSession {
public:
    explicit OciSession(const OciLibrary& oci) : m_oci(oci) {}
    ~OciSession()
    {
        if (m_bLoggedOn)
            m_oci.m_pfnOCISessionEnd(m_pSvc, m_pError, m_pSession, OCI_DEFAULT);
        if (m_pEnv)
            m_oci.m_pfnOCIHandleFree(m_pEnv, OCI_HTYPE_ENV);
    }
    OciSession(const OciSession&) = delete;
    OciSession& operator=(const OciSession&) = delete;

    bool Logon(const char* pszService, const char* pszUser, const char* pszPassword)
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

    // Executes the query with the prefetch count set and reads every row.
    // nBytes: the text bytes of the values.
    bool ReadAll(const std::string& strQuery, long& nRows, std::size_t& nBytes)
    {
        OCIStmt* pStmt = nullptr;
        m_oci.m_pfnOCIHandleAlloc(m_pEnv, reinterpret_cast<void**>(&pStmt), OCI_HTYPE_STMT, 0, nullptr);
        const bool bRead = Read(pStmt, strQuery, nRows, nBytes);
        m_oci.m_pfnOCIHandleFree(pStmt, OCI_HTYPE_STMT);
        return bRead;
    }

private:
    bool Read(OCIStmt* pStmt, const std::string& strQuery, long& nRows, std::size_t& nBytes)
    {
        ub4 nPrefetch = kPrefetchRows;
        if (m_oci.m_pfnOCIStmtPrepare(pStmt, m_pError, reinterpret_cast<const OraText*>(strQuery.data()),
                                      static_cast<ub4>(strQuery.size()), OCI_NTV_SYNTAX, OCI_DEFAULT) != OCI_SUCCESS ||
            m_oci.m_pfnOCIAttrSet(pStmt, OCI_HTYPE_STMT, &nPrefetch, sizeof nPrefetch, OCI_ATTR_PREFETCH_ROWS,
                                  m_pError) != OCI_SUCCESS ||
            m_oci.m_pfnOCIStmtExecute(m_pSvc, pStmt, m_pError, 0, 0, nullptr, nullptr, OCI_DEFAULT) != OCI_SUCCESS)
            return ShowError("execute");
        ub4 nColumns = 0;
        m_oci.m_pfnOCIAttrGet(pStmt, OCI_HTYPE_STMT, &nColumns, nullptr, OCI_ATTR_PARAM_COUNT, m_pError);
        std::vector<std::vector<char>> arrBuffers(nColumns);
        std::vector<sb2> arrIndicators(nColumns);
        std::vector<ub2> arrLengths(nColumns);
        for (ub4 i = 0; i < nColumns; ++i) {
            OCIParam* pParam = nullptr;
            ub2 nDisplaySize = 0;
            OCIDefine* pDefine = nullptr;
            m_oci.m_pfnOCIParamGet(pStmt, OCI_HTYPE_STMT, m_pError, reinterpret_cast<void**>(&pParam), i + 1);
            m_oci.m_pfnOCIAttrGet(pParam, OCI_DTYPE_PARAM, &nDisplaySize, nullptr, OCI_ATTR_DISP_SIZE, m_pError);
            arrBuffers[i].resize(nDisplaySize + 1u);
            if (m_oci.m_pfnOCIDefineByPos(pStmt, &pDefine, m_pError, i + 1, arrBuffers[i].data(),
                                          static_cast<sb4>(arrBuffers[i].size()), SQLT_STR, &arrIndicators[i],
                                          &arrLengths[i], nullptr, OCI_DEFAULT) != OCI_SUCCESS)
                return ShowError("define");
        }
        // Every cell is looked at once, as the libpq loops do.
        nRows = 0;
        nBytes = 0;
        sword status;
        while ((status = m_oci.m_pfnOCIStmtFetch(pStmt, m_pError, 1, OCI_FETCH_NEXT, OCI_DEFAULT)) == OCI_SUCCESS) {
            ++nRows;
            for (ub4 i = 0; i < nColumns; ++i)
                nBytes += arrIndicators[i] == -1 ? 4 : arrLengths[i];
        }
        return status == OCI_NO_DATA || ShowError("fetch");
    }

    // Shows the error record on standard error; false, for the caller to
    // return.
    bool ShowError(const char* pszStep)
    {
        OraText szText[1024] = {};
        sb4 nCode = 0;
        m_oci.m_pfnOCIErrorGet(m_pError, 1, nullptr, &nCode, szText, sizeof szText, OCI_HTYPE_ERROR);
        std::fprintf(stderr, "bench: %s failed: %s", pszStep, reinterpret_cast<char*>(szText));
        return false;
    }

    const OciLibrary& m_oci;
    OCIEnv* m_pEnv = nullptr;
    OCIError* m_pError = nullptr;
    OCIServer* m_pServer = nullptr;
    OCISvcCtx* m_pSvc = nullptr;
    OCISession* m_pSession = nullptr;
    bool m_bLoggedOn = false;
};

}  // namespace

int OciFetchFigure(const FigureArgs& args)
{
    OciLibrary oci;
    if (!oci.Open() || oci.ResolveEntryPoints()) {
        std::fprintf(stderr, "bench: the OCI library does not load\n");
        return 1;
    }
    double dBest = 0;
    long nRows = 0;
    std::size_t nBytes = 0;
    {
        OciSession session(oci);
        if (!session.Logon("LUMIDEX", User(), Password()))
            return 1;
        const std::string strQuery = SelectAll(args.strTable);
        for (int nRun = 0; nRun < args.nRepeats; ++nRun) {
            Stopwatch clock;
            if (!session.ReadAll(strQuery, nRows, nBytes))
                return 1;
            const double dSeconds = clock.Seconds();
            dBest = nRun == 0 ? dSeconds : std::min(dBest, dSeconds);
        }
    }
    oci.Close();
    Report("rows", static_cast<double>(nRows));
    Report("text_bytes", static_cast<double>(nBytes));
    Report("seconds", dBest);
    return 0;
}

}  // namespace bench
