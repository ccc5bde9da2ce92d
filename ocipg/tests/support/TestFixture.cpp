// The test cluster's helpers that every test binary shares.
#include "ocipg/tests/support/TestFixture.h"

#include <libpq-fe.h>

#include <cstdlib>

namespace ocitest {

int ClusterCommand(const std::string& command)
{
    const std::string line =
        "bash '" + FixtureScript("pgcluster.sh") + "' " + command + " '" + Dir() + "' >/dev/null";
    return std::system(line.c_str());
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
