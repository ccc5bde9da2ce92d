// The test cluster's helpers that every test binary shares.
#include "tests/support/TestFixture.h"

#include <libpq-fe.h>

namespace testfixture {

std::string ClusterProblem()
{
    PGconn* conn = PQconnectdb(AdminConnInfo().c_str());
    std::string problem;
    if (PQstatus(conn) != CONNECTION_OK)
        problem = "The PostgreSQL test cluster in " + Dir() + " is not running (" + PQerrorMessage(conn) +
                  ").\nRun the tests through ctest, which starts it, or start it with\n  bash " + ClusterScript() +
                  " fresh " + Dir() + "\n";
    PQfinish(conn);
    return problem;
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

}  // namespace testfixture
