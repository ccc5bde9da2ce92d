// The plainest means of doing what the sort and the export do: the bare cell
// strings sorted with the list's comparison, and the export's bytes written
// with large fwrite calls.

#include "bench/Figures.h"

#include "bench/BenchSupport.h"
#include "controls/SortKeyCompare.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

int BareSortFigure(const FigureArgs& args)
{
    PGconn* pConn = PQconnectdb(ConnInfo().c_str());
    const std::string strQuery = "SELECT name FROM bench." + args.strTable;
    PGresult* pResult = PQexec(pConn, strQuery.c_str());
    if (PQresultStatus(pResult) != PGRES_TUPLES_OK) {
        std::fprintf(stderr, "bench: %s", PQerrorMessage(pConn));
        PQclear(pResult);
        PQfinish(pConn);
        return 1;
    }
    std::vector<std::string> arrCells;
    for (int nRow = 0; nRow < PQntuples(pResult); ++nRow)
        arrCells.emplace_back(PQgetvalue(pResult, nRow, 0));
    PQclear(pResult);
    PQfinish(pConn);

    double dBest = 0;
    for (int nRun = 0; nRun < args.nRepeats; ++nRun) {
        std::vector<std::string> arrSorted = arrCells;
        Stopwatch clock;
        std::stable_sort(arrSorted.begin(), arrSorted.end(),
                         [](const std::string& a, const std::string& b) {
                             return controls::CompareSortKeys(a, b) < 0;
                         });
        const double dSeconds = clock.Seconds();
        dBest = nRun == 0 ? dSeconds : std::min(dBest, dSeconds);
    }
    Report("seconds", dBest);
    return 0;
}

int PlainWriteFigure(const FigureArgs& args)
{
    // args.strTable carries the byte count here: the size the export wrote.
    const long nBytes = std::stol(args.strTable);
    const std::string strFile = args.strPath + "/plain.bin";
    std::vector<char> arrChunk(std::size_t{1} << 20, 'x');
    double dBest = 0;
    for (int nRun = 0; nRun < args.nRepeats; ++nRun) {
        Stopwatch clock;
        std::FILE* pFile = std::fopen(strFile.c_str(), "wb");
        if (!pFile)
            return 1;
        for (long nLeft = nBytes; nLeft > 0;) {
            const std::size_t nPart =
                std::min(static_cast<std::size_t>(nLeft), arrChunk.size());
            if (std::fwrite(arrChunk.data(), 1, nPart, pFile) != nPart) {
                std::fclose(pFile);
                return 1;
            }
            nLeft -= static_cast<long>(nPart);
        }
        if (std::fclose(pFile) != 0)
            return 1;
        const double dSeconds = clock.Seconds();
        dBest = nRun == 0 ? dSeconds : std::min(dBest, dSeconds);
    }
    Report("seconds", dBest);
    Report("mib_per_second", nBytes / dBest / (1024.0 * 1024.0));
    return 0;
}

}  // namespace bench
