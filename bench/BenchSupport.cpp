#include "bench/BenchSupport.h"

#include "oracle/OracleSession.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace bench {

namespace {

const char* EnvText(const char* pszName)
{
    const char* pszValue = std::getenv(pszName);
    return pszValue ? pszValue : "";
}

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

const char* User() { return EnvText("PGUSER"); }
const char* Password() { return EnvText("PGPASSWORD"); }

long ResidentKb() { return StatusKb("VmRSS:"); }
long PeakResidentKb() { return StatusKb("VmHWM:"); }

bool Logon(OracleSession& session, const std::string& strService)
{
    const SessionResult nResult =
        session.Connect(strService.data(), static_cast<int>(strService.size()), User(),
                        static_cast<int>(std::strlen(User())), Password(),
                        static_cast<int>(std::strlen(Password())), 0);
    if (nResult == SR_SUCCESS)
        return true;
    char szText[1024] = {};
    int nCode = 0;
    session.GetErrorText(szText, sizeof szText, &nCode);
    std::fprintf(stderr, "bench: logon failed (%d): %s\n", nResult, szText);
    return false;
}

std::string ConnInfo() { return ""; }

void Report(const char* pszName, double dValue) { std::printf("%s %.6f\n", pszName, dValue); }

std::string SelectAll(const std::string& strTable) { return "SELECT * FROM bench." + strTable; }

}  // namespace bench
