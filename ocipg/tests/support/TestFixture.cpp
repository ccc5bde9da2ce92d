#include "ocipg/tests/support/TestFixture.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <utility>

namespace ocitest {

std::string Dir() { return OCIPG_FIXTURE_DIR; }
std::string FixtureScript(const char* name) { return std::string(OCIPG_FIXTURE_SCRIPTS "/") + name; }

const std::string& Fact(const char* key)
{
    static const std::map<std::string, std::string> facts = [] {
        std::map<std::string, std::string> read;
        std::ifstream file(Dir() + "/fixture.env");
        for (std::string line; std::getline(file, line);) {
            const size_t equals = line.find('=');
            if (line.rfind('#', 0) != 0 && equals != std::string::npos)
                read[line.substr(0, equals)] = line.substr(equals + 1);
        }
        return read;
    }();
    static const std::string none;
    const auto found = facts.find(key);
    return found == facts.end() ? none : found->second;
}

std::string AdminConnInfo()
{
    const std::pair<const char*, std::string> values[] = {{"host", SocketDir()},  {"port", Port()},
                                                          {"dbname", Database()}, {"user", AdminUser()},
                                                          {"password", AdminPassword()}};
    std::string info;
    for (const auto& [key, value] : values) {
        info += std::string(info.empty() ? "" : " ") + key + "='";
        for (char c : value)
            info += c == '\'' || c == '\\' ? std::string{'\\', c} : std::string{c};
        info += "'";
    }
    return info;
}

int ClusterCommand(const std::string& command)
{
    const std::string line = "bash '" + FixtureScript("pgcluster.sh") + "' " + command + " '" + Dir() + "' >/dev/null";
    return std::system(line.c_str());
}

std::string ClusterProblem()
{
    std::string reason = "there is no " + Dir() + "/fixture.env";
    if (!SocketDir().empty()) {
        PGconn* conn = PQconnectdb(AdminConnInfo().c_str());
        reason = PQstatus(conn) == CONNECTION_OK ? "" : PQerrorMessage(conn);
        PQfinish(conn);
    }
    if (reason.empty())
        return reason;
    return "The PostgreSQL test cluster in " + Dir() + " is not running (" + reason +
           ").\nRun the tests through ctest, which starts it, or start it with\n  bash " +
           FixtureScript("pgcluster.sh") + " fresh " + Dir() + "\n";
}

std::string AdminValue(const std::string& sql)
{
    PGconn* conn = PQconnectdb(AdminConnInfo().c_str());
    PGresult* result = PQexec(conn, sql.c_str());
    const ExecStatusType status = PQresultStatus(result);
    std::string value;
    if (status == PGRES_TUPLES_OK && PQntuples(result) > 0)
        value = PQgetvalue(result, 0, 0);
    else if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)
        value = "error: " + std::string(PQerrorMessage(conn));
    PQclear(result);
    PQfinish(conn);
    return value;
}

}  // namespace ocitest
