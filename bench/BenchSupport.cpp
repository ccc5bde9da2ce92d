#include "bench/BenchSupport.h"

#include "oracle/OracleSession.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace bench {

namespace {

constexpr const char* kUser = "system";
constexpr const char* kPassword = "manager";

long StatusKb(const char* pszKey)
{
    std::ifstream status("/proc/self/status");
    std::string strLine;
    const std::size_t nKey = std::strlen(pszKey);
    while (std::getline(status, strLine)) {
        if (strLine.compare(0, nKey, pszKey) == 0)
            return std::strtol(strLine.c_str() + nKey, nullptr, 10);
    }
    return 0;
}

}  // namespace

long ResidentKb() { return StatusKb("VmRSS:"); }
long PeakResidentKb() { return StatusKb("VmHWM:"); }

bool Logon(OracleSession& session, const std::string& strService)
{
    const SessionResult nResult =
        session.Connect(strService.data(), static_cast<int>(strService.size()), kUser,
                        static_cast<int>(std::strlen(kUser)), kPassword,
                        static_cast<int>(std::strlen(kPassword)), 0);
    if (nResult == SR_SUCCESS)
        return true;
    char szText[1024] = {};
    int nCode = 0;
    session.GetErrorText(szText, sizeof szText, &nCode);
    std::fprintf(stderr, "bench: logon failed (%d): %s\n", nResult, szText);
    return false;
}

std::string ConnInfo()
{
    const char* pszSocket = std::getenv("BENCH_SOCKET_DIR");
    return std::string("host=") + (pszSocket ? pszSocket : "") +
           " port=55432 dbname=lumidex user=system password=manager";
}

void Report(const char* pszName, double dValue) { std::printf("%s %.6f\n", pszName, dValue); }

std::string SelectAll(const std::string& strTable) { return "SELECT * FROM bench." + strTable; }

}  // namespace bench
