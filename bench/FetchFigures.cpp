// Reading a result: Lumidex's session over libocipg.so, plain libpq (whole
// result and row by row), and the logon itself.

#include "bench/Figures.h"

#include "bench/BenchSupport.h"
#include "oracle/OracleSession.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

int FetchFigure(const FigureArgs& args)
{
    OracleSession session;
    if (!Logon(session))
        return 1;
    const std::string strQuery = SelectAll(args.strTable);
    double dFirst = 0;
    double dBest = 0;
    long nRows = 0;
    for (int nRun = 0; nRun < args.nRepeats; ++nRun) {
        Stopwatch clock;
        int nIsQuery = 0;
        int nColumns = 0;
        int nChanged = 0;
        std::vector<std::string> arrNames;
        std::vector<std::string> arrValues;
        if (session.Execute(strQuery.data(), static_cast<int>(strQuery.size()), &nIsQuery,
                            &nColumns, &nChanged) != SR_SUCCESS ||
            session.DescribeColumns(nColumns, &arrNames) != SR_SUCCESS) {
            std::fprintf(stderr, "bench: the query failed\n");
            return 1;
        }
        nRows = 0;
        SessionResult nResult;
        while ((nResult = session.FetchRow(nColumns, &arrValues)) == SR_SUCCESS)
            ++nRows;
        if (nResult != SR_NO_DATA) {
            std::fprintf(stderr, "bench: the fetch failed (%d)\n", nResult);
            return 1;
        }
        const double dSeconds = clock.Seconds();
        if (nRun == 0)
            dFirst = dSeconds;
        dBest = nRun == 0 ? dSeconds : std::min(dBest, dSeconds);
    }
    Report("rows", static_cast<double>(nRows));
    // The first run, for the list fill's first run to be held against.
    Report("first_seconds", dFirst);
    Report("seconds", dBest);
    return 0;
}

namespace {

// A plain libpq connection to the cluster; null, said on standard error, when none.
PGconn* Connect()
{
    PGconn* pConn = PQconnectdb(ConnInfo().c_str());
    if (PQstatus(pConn) == CONNECTION_OK)
        return pConn;
    std::fprintf(stderr, "bench: %s", PQerrorMessage(pConn));
    PQfinish(pConn);
    return nullptr;
}

}  // namespace

int LibpqFigure(const FigureArgs& args)
{
    PGconn* pConn = Connect();
    if (!pConn)
        return 1;
    const std::string strQuery = SelectAll(args.strTable);
    double dBest = 0;
    std::size_t nBytes = 0;
    for (int nRun = 0; nRun < args.nRepeats; ++nRun) {
        Stopwatch clock;
        PGresult* pResult = PQexec(pConn, strQuery.c_str());
        if (PQresultStatus(pResult) != PGRES_TUPLES_OK) {
            std::fprintf(stderr, "bench: %s", PQerrorMessage(pConn));
            PQclear(pResult);
            PQfinish(pConn);
            return 1;
        }
        // Every cell is looked at once, as a client that shows it would.
        nBytes = 0;
        const int nRows = PQntuples(pResult);
        const int nColumns = PQnfields(pResult);
        for (int nRow = 0; nRow < nRows; ++nRow)
            for (int nColumn = 0; nColumn < nColumns; ++nColumn)
                nBytes += PQgetisnull(pResult, nRow, nColumn)
                              ? 4
                              : static_cast<std::size_t>(PQgetlength(pResult, nRow, nColumn));
        PQclear(pResult);
        const double dSeconds = clock.Seconds();
        dBest = nRun == 0 ? dSeconds : std::min(dBest, dSeconds);
    }
    PQfinish(pConn);
    Report("text_bytes", static_cast<double>(nBytes));
    Report("seconds", dBest);
    return 0;
}

// Single-row mode: what a client that reads row by row at the least cost
// does with libpq.
int LibpqRowFigure(const FigureArgs& args)
{
    PGconn* pConn = Connect();
    if (!pConn)
        return 1;
    const std::string strQuery = SelectAll(args.strTable);
    double dBest = 0;
    std::size_t nBytes = 0;
    long nRows = 0;
    for (int nRun = 0; nRun < args.nRepeats; ++nRun) {
        Stopwatch clock;
        if (!PQsendQuery(pConn, strQuery.c_str()) || !PQsetSingleRowMode(pConn)) {
            std::fprintf(stderr, "bench: %s", PQerrorMessage(pConn));
            PQfinish(pConn);
            return 1;
        }
        nBytes = 0;
        nRows = 0;
        bool bFailed = false;
        while (PGresult* pResult = PQgetResult(pConn)) {
            const ExecStatusType status = PQresultStatus(pResult);
            if (status == PGRES_SINGLE_TUPLE) {
                ++nRows;
                for (int nColumn = 0; nColumn < PQnfields(pResult); ++nColumn)
                    nBytes += PQgetisnull(pResult, 0, nColumn)
                                  ? 4
                                  : static_cast<std::size_t>(PQgetlength(pResult, 0, nColumn));
            } else if (status != PGRES_TUPLES_OK) {
                std::fprintf(stderr, "bench: %s", PQresultErrorMessage(pResult));
                bFailed = true;
            }
            PQclear(pResult);
        }
        if (bFailed) {
            PQfinish(pConn);
            return 1;
        }
        const double dSeconds = clock.Seconds();
        dBest = nRun == 0 ? dSeconds : std::min(dBest, dSeconds);
    }
    PQfinish(pConn);
    Report("rows", static_cast<double>(nRows));
    Report("text_bytes", static_cast<double>(nBytes));
    Report("seconds", dBest);
    return 0;
}

int LogonFigure(const FigureArgs& args)
{
    OracleSession session;
    std::vector<double> arrSeconds;
    for (int nRun = 0; nRun < args.nRepeats; ++nRun) {
        Stopwatch clock;
        if (!Logon(session))
            return 1;
        session.Disconnect();
        arrSeconds.push_back(clock.Seconds());
    }
    std::sort(arrSeconds.begin(), arrSeconds.end());
    Report("seconds", arrSeconds[arrSeconds.size() / 2]);
    return 0;
}

}  // namespace bench
