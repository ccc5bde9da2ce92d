// Reading a result through the OCI library itself, as a program that sets
// a prefetch count would: one OCIStmtFetch per row into text buffers of
// display size + 1.

#include "bench/Figures.h"

#include "bench/BenchSupport.h"
#include "bench/OciSession.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

namespace {

constexpr ub4 kPrefetchRows = 1000;

// Executes the query with the prefetch count set and reads every row.
// nBytes: the text bytes of the values.
bool Read(OciSession& session, OCIStmt* pStmt, const std::string& strQuery, long& nRows, std::size_t& nBytes)
{
    const OciLibrary& oci = session.Oci();
    OCIError* pError = session.Error();
    ub4 nPrefetch = kPrefetchRows;
    if (oci.m_pfnOCIStmtPrepare(pStmt, pError, reinterpret_cast<const OraText*>(strQuery.data()),
                                static_cast<ub4>(strQuery.size()), OCI_NTV_SYNTAX, OCI_DEFAULT) != OCI_SUCCESS ||
        oci.m_pfnOCIAttrSet(pStmt, OCI_HTYPE_STMT, &nPrefetch, sizeof nPrefetch, OCI_ATTR_PREFETCH_ROWS,
                            pError) != OCI_SUCCESS ||
        oci.m_pfnOCIStmtExecute(session.Service(), pStmt, pError, 0, 0, nullptr, nullptr, OCI_DEFAULT) != OCI_SUCCESS)
        return session.ShowError("execute");
    ub4 nColumns = 0;
    oci.m_pfnOCIAttrGet(pStmt, OCI_HTYPE_STMT, &nColumns, nullptr, OCI_ATTR_PARAM_COUNT, pError);
    std::vector<std::vector<char>> arrBuffers(nColumns);
    std::vector<sb2> arrIndicators(nColumns);
    std::vector<ub2> arrLengths(nColumns);
    for (ub4 i = 0; i < nColumns; ++i) {
        OCIParam* pParam = nullptr;
        ub2 nDisplaySize = 0;
        OCIDefine* pDefine = nullptr;
        oci.m_pfnOCIParamGet(pStmt, OCI_HTYPE_STMT, pError, reinterpret_cast<void**>(&pParam), i + 1);
        oci.m_pfnOCIAttrGet(pParam, OCI_DTYPE_PARAM, &nDisplaySize, nullptr, OCI_ATTR_DISP_SIZE, pError);
        arrBuffers[i].resize(nDisplaySize + 1u);
        if (oci.m_pfnOCIDefineByPos(pStmt, &pDefine, pError, i + 1, arrBuffers[i].data(),
                                    static_cast<sb4>(arrBuffers[i].size()), SQLT_STR, &arrIndicators[i],
                                    &arrLengths[i], nullptr, OCI_DEFAULT) != OCI_SUCCESS)
            return session.ShowError("define");
    }
    // Every cell is looked at once, as the libpq loops do.
    nRows = 0;
    nBytes = 0;
    sword status;
    while ((status = oci.m_pfnOCIStmtFetch(pStmt, pError, 1, OCI_FETCH_NEXT, OCI_DEFAULT)) == OCI_SUCCESS) {
        ++nRows;
        for (ub4 i = 0; i < nColumns; ++i)
            nBytes += arrIndicators[i] == -1 ? 4 : arrLengths[i];
    }
    return status == OCI_NO_DATA || session.ShowError("fetch");
}

bool ReadAll(OciSession& session, const std::string& strQuery, long& nRows, std::size_t& nBytes)
{
    OCIStmt* pStmt = nullptr;
    session.Oci().m_pfnOCIHandleAlloc(session.Env(), reinterpret_cast<void**>(&pStmt), OCI_HTYPE_STMT, 0, nullptr);
    const bool bRead = Read(session, pStmt, strQuery, nRows, nBytes);
    session.Oci().m_pfnOCIHandleFree(pStmt, OCI_HTYPE_STMT);
    return bRead;
}

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
        if (!session.Logon(kService, User(), Password()))
            return 1;
        const std::string strQuery = SelectAll(args.strTable);
        for (int nRun = 0; nRun < args.nRepeats; ++nRun) {
            Stopwatch clock;
            if (!ReadAll(session, strQuery, nRows, nBytes))
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
