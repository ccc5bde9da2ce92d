#include "platform/UnixOracleHomeLookup.h"

#include <cstdlib>
#include <fstream>
#include <optional>

namespace platform {

namespace {

std::optional<std::string> Environment(const char* name)
{
    const char* value = std::getenv(name);
    if (!value)
        return std::nullopt;
    return std::string(value);
}

std::string_view Trimmed(std::string_view s)
{
    const std::size_t nBegin = s.find_first_not_of(" \t\r");
    if (nBegin == std::string_view::npos)
        return {};
    const std::size_t nEnd = s.find_last_not_of(" \t\r");
    return s.substr(nBegin, nEnd - nBegin + 1);
}

// The home of the first entry "SID:HOME:FLAG"; comments start with '#'.
std::optional<std::string> FirstOratabHome(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        const std::string_view entry = Trimmed(line);
        if (entry.empty() || entry.front() == '#')
            continue;
        const std::size_t nFirst = entry.find(':');
        if (nFirst == std::string_view::npos)
            continue;
        std::string_view home = entry.substr(nFirst + 1);
        home = home.substr(0, home.find(':'));
        return std::string(home);
    }
    return std::nullopt;
}

}  // namespace

UnixOracleHomeLookup::UnixOracleHomeLookup(std::string oratabPath)
    : m_strOratabPath(std::move(oratabPath))
{
}

std::vector<std::string> UnixOracleHomeLookup::TnsNamesCandidates() const
{
    std::vector<std::string> candidates;
    // An empty TNS_ADMIN names no folder; the client passes over it too.
    const std::optional<std::string> tnsAdmin = Environment("TNS_ADMIN");
    if (tnsAdmin && !tnsAdmin->empty())
        candidates.push_back(*tnsAdmin + "/tnsnames.ora");

    // A set but empty ORACLE_HOME still counts as the first home.
    std::string home = Environment("ORACLE_HOME").value_or(Environment("ORA_CRS_HOME").value_or(""));
    candidates.push_back(home + "/network/admin/tnsnames.ora");
    candidates.push_back(home + "/net80/admin/tnsnames.ora");

    // Without an oratab entry the second home is the first one again.
    if (std::optional<std::string> second = FirstOratabHome(m_strOratabPath))
        home = std::move(*second);
    candidates.push_back(home + "/network/admin/tnsnames.ora");
    candidates.push_back(home + "/net80/admin/tnsnames.ora");
    return candidates;
}

}  // namespace platform
