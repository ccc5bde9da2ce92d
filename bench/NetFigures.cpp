// The listing of a table (execute, describe, every row fetched) over a
// connect string of its own, which bench/run.sh points at a link with a
// round-trip time: through Lumidex's session as it is, and through the same
// calls made here with another prefetch.

#include "bench/Figures.h"

#include "bench/BenchSupport.h"
#include "bench/OciSession.h"
#include "oracle/ClientEnvironment.h"
#include "oracle/NlsLang.h"
#include "oracle/OracleSession.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace bench {

namespace {

// What the session sets as prefetch memory.
constexpr ub4 kPrefetchMemory = 4 * 1024 * 1024;

// Times args.nRepeats listings back to back (the end of one's transaction
// goes with the next one's first round trip); reports the rows of one and
// the best time.
int TimeListings(const FigureArgs& args, const std::function<bool(long&)>& list)
{
    double dBest = 0;
    long nRows = 0;
    for (int nRun = 0; nRun < args.nRepeats; ++nRun) {
        Stopwatch clock;
        if (!list(nRows))
            return 1;
        const double dSeconds = clock.Seconds();
        dBest = nRun == 0 ? dSeconds : std::min(dBest, dSeconds);
    }
    Report("rows", static_cast<double>(nRows));
    Report("seconds", dBest);
    return 0;
}

// OracleSession's Execute, DescribeColumns and FetchRow, call for call, with
// another prefetch row count; 0 sets neither prefetch attribute, as the
// session did before it set them.
class MirrorListing {
public:
    MirrorListing(OciSession& session, ub4 nPrefetchRows)
        : m_session(session), m_oci(session.Oci()), m_nPrefetchRows(nPrefetchRows),
          m_nCharBytes(MaxBytesPerCharacter(std::getenv("NLS_LANG")))
    {
    }
    ~MirrorListing()
    {
        if (m_pQuery)
            m_oci.m_pfnOCIHandleFree(m_pQuery, OCI_HTYPE_STMT);
    }
    MirrorListing(const MirrorListing&) = delete;
    MirrorListing& operator=(const MirrorListing&) = delete;

    bool List(const std::string& strQuery, long& nRows)
    {
        ub4 nColumns = 0;
        if (!Execute(strQuery, nColumns) || !Describe(nColumns))
            return m_session.ShowError("listing");
        std::vector<std::string> arrValues;
        nRows = 0;
        sword status;
        while ((status = m_oci.m_pfnOCIStmtFetch(m_pQuery, m_session.Error(), 1, OCI_FETCH_NEXT, OCI_DEFAULT)) ==
               OCI_SUCCESS) {
            arrValues.resize(nColumns);
            for (ub4 i = 0; i < nColumns; ++i)
                arrValues[i].assign(m_anIndicator[i] == -1 ? "NULL" : m_apBuffer[i].get());
            ++nRows;
        }
        return status == OCI_NO_DATA || m_session.ShowError("fetch");
    }

private:
    bool Execute(const std::string& strQuery, ub4& nColumns)
    {
        OCIError* pError = m_session.Error();
        OCIStmt* pStatement = nullptr;
        m_oci.m_pfnOCIHandleAlloc(m_session.Env(), reinterpret_cast<dvoid**>(&pStatement), OCI_HTYPE_STMT, 0,
                                  nullptr);
        if (m_oci.m_pfnOCIStmtPrepare(pStatement, pError, reinterpret_cast<const OraText*>(strQuery.data()),
                                      static_cast<ub4>(strQuery.size()), OCI_NTV_SYNTAX, OCI_DEFAULT) != OCI_SUCCESS) {
            m_oci.m_pfnOCIHandleFree(pStatement, OCI_HTYPE_STMT);
            return false;
        }
        ub4 nType = 0;
        ub4 nTypeSize = sizeof nType;
        m_oci.m_pfnOCIAttrGet(pStatement, OCI_HTYPE_STMT, &nType, &nTypeSize, OCI_ATTR_STMT_TYPE, pError);
        // The previous query goes as the next one is executed.
        if (m_pQuery)
            m_oci.m_pfnOCIHandleFree(m_pQuery, OCI_HTYPE_STMT);
        m_apBuffer.clear();
        m_pQuery = pStatement;
        if (m_nPrefetchRows > 0) {
            ub4 nPrefetchRows = m_nPrefetchRows;
            ub4 nPrefetchMemory = kPrefetchMemory;
            m_oci.m_pfnOCIAttrSet(m_pQuery, OCI_HTYPE_STMT, &nPrefetchRows, sizeof nPrefetchRows,
                                  OCI_ATTR_PREFETCH_ROWS, pError);
            m_oci.m_pfnOCIAttrSet(m_pQuery, OCI_HTYPE_STMT, &nPrefetchMemory, sizeof nPrefetchMemory,
                                  OCI_ATTR_PREFETCH_MEMORY, pError);
        }
        if (m_oci.m_pfnOCIStmtExecute(m_session.Service(), m_pQuery, pError, 0, 0, nullptr, nullptr, OCI_DEFAULT) !=
                OCI_SUCCESS ||
            m_oci.m_pfnOCIAttrGet(m_pQuery, OCI_HTYPE_STMT, &nColumns, nullptr, OCI_ATTR_PARAM_COUNT, pError) !=
                OCI_SUCCESS)
            return false;
        ub4 nRows = 0;
        m_oci.m_pfnOCIAttrGet(m_pQuery, OCI_HTYPE_STMT, &nRows, nullptr, OCI_ATTR_ROW_COUNT, pError);
        return nType == OCI_STMT_SELECT;
    }

    bool Describe(ub4 nColumns)
    {
        OCIError* pError = m_session.Error();
        if (nColumns > static_cast<ub4>(OracleSession::kMaxColumns))
            return false;
        std::vector<std::string> arrNames;
        for (ub4 i = 0; i < nColumns; ++i) {
            OCIParam* pParam = nullptr;
            if (m_oci.m_pfnOCIParamGet(m_pQuery, OCI_HTYPE_STMT, pError, reinterpret_cast<dvoid**>(&pParam), i + 1) !=
                OCI_SUCCESS)
                return false;
            OraText* pName = nullptr;
            ub4 nNameLength = 0;
            ub4 nDisplaySize = 0;
            sword status =
                m_oci.m_pfnOCIAttrGet(pParam, OCI_DTYPE_PARAM, &pName, &nNameLength, OCI_ATTR_NAME, pError);
            if (status == OCI_SUCCESS)
                status = m_oci.m_pfnOCIAttrGet(pParam, OCI_DTYPE_PARAM, &nDisplaySize, nullptr, OCI_ATTR_DISP_SIZE,
                                               pError);
            if (status == OCI_SUCCESS)
                arrNames.push_back(pName ? std::string(reinterpret_cast<const char*>(pName), nNameLength)
                                         : std::string());
            m_oci.m_pfnOCIDescriptorFree(pParam, OCI_DTYPE_PARAM);
            if (status != OCI_SUCCESS)
                return false;
            const sb4 nBufferSize = static_cast<sb4>(std::min<ub4>(nDisplaySize, 0xFFFF)) * m_nCharBytes + 1;
            char* pBuffer = new (std::nothrow) char[nBufferSize]();
            if (!pBuffer)
                return false;
            m_apBuffer.emplace_back(pBuffer);
            OCIDefine* pDefine = nullptr;
            if (m_oci.m_pfnOCIDefineByPos(m_pQuery, &pDefine, pError, i + 1, pBuffer, nBufferSize, SQLT_STR,
                                          &m_anIndicator[i], nullptr, nullptr, OCI_DEFAULT) != OCI_SUCCESS)
                return false;
        }
        return true;
    }

    OciSession& m_session;
    const OciLibrary& m_oci;
    ub4 m_nPrefetchRows;
    int m_nCharBytes;
    OCIStmt* m_pQuery = nullptr;
    std::vector<std::unique_ptr<char[]>> m_apBuffer;
    std::vector<sb2> m_anIndicator = std::vector<sb2>(OracleSession::kMaxColumns);
};

}  // namespace

int NetListFigure(const FigureArgs& args)
{
    OracleSession session;
    if (!Logon(session, args.strPath))
        return 1;
    const std::string strQuery = SelectAll(args.strTable);
    return TimeListings(args, [&](long& nRows) {
        int nIsQuery = 0;
        int nColumns = 0;
        int nChanged = 0;
        std::vector<std::string> arrNames;
        std::vector<std::string> arrValues;
        if (session.Execute(strQuery.data(), static_cast<int>(strQuery.size()), &nIsQuery, &nColumns,
                            &nChanged) != SR_SUCCESS ||
            session.DescribeColumns(nColumns, &arrNames) != SR_SUCCESS) {
            std::fprintf(stderr, "bench: the query failed\n");
            return false;
        }
        nRows = 0;
        SessionResult nResult;
        while ((nResult = session.FetchRow(nColumns, &arrValues)) == SR_SUCCESS)
            ++nRows;
        return nResult == SR_NO_DATA;
    });
}

int NetMirrorFigure(const FigureArgs& args, ub4 nPrefetchRows)
{
    // As the session does before it loads the library.
    SetClientEnvironmentDefaults();
    OciLibrary oci;
    if (!oci.Open() || oci.ResolveEntryPoints()) {
        std::fprintf(stderr, "bench: the OCI library does not load\n");
        return 1;
    }
    int nStatus = 1;
    {
        OciSession session(oci);
        if (session.Logon(args.strPath.c_str(), User(), Password())) {
            MirrorListing listing(session, nPrefetchRows);
            const std::string strQuery = SelectAll(args.strTable);
            nStatus = TimeListings(args, [&](long& nRows) { return listing.List(strQuery, nRows); });
        }
    }
    oci.Close();
    return nStatus;
}

}  // namespace bench
