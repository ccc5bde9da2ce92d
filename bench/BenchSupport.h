#pragma once

// What every figure of the benchmark shares: a clock, the process's memory
// high-water mark, the logon of the benchmark's account and the output lines
// that bench/run.sh reads.

#include <chrono>
#include <string>

class OracleSession;

namespace bench {

// Arguments of one figure: the table (or file) it works on and how often it
// repeats its measured part; the best repetition is reported.
struct FigureArgs {
    std::string strTable;
    std::string strPath;
    int nRepeats = 1;
};

class Stopwatch {
public:
    Stopwatch() : m_start(std::chrono::steady_clock::now()) {}
    double Seconds() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

// Resident set now and its peak so far, in KiB (from /proc/self/status).
long ResidentKb();
long PeakResidentKb();

// The net service name of the benchmark's cluster.
constexpr const char* kService = "LUMIDEX";

// The benchmark's account: the cluster's superuser, from PGUSER and
// PGPASSWORD, which bench/run.sh exports from the cluster's fixture.env.
const char* User();
const char* Password();

// Logs the session on as the benchmark's account, to the cluster or to
// another connect string of it; false, with the error on standard error,
// when that fails.
bool Logon(OracleSession& session, const std::string& strService = kService);

// libpq conninfo of the same account on the same cluster: empty, as libpq
// reads them from PGHOST, PGPORT, PGDATABASE, PGUSER and PGPASSWORD.
std::string ConnInfo();

// One "name value" line of the figure's result.
void Report(const char* pszName, double dValue);

// The statement that reads a whole bench table.
std::string SelectAll(const std::string& strTable);

}  // namespace bench
