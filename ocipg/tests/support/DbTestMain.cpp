#include "ocipg/tests/support/TestFixture.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>

namespace {

// "" when the cluster answers; otherwise why not.
std::string ClusterProblem()
{
    if (ocitest::SocketDir().empty())
        return "there is no " + ocitest::Dir() + "/fixture.env";
    PGconn* conn = PQconnectdb(ocitest::AdminConnInfo().c_str());
    const std::string problem = PQstatus(conn) == CONNECTION_OK ? "" : PQerrorMessage(conn);
    PQfinish(conn);
    return problem;
}

class ClusterEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        const std::string problem = ClusterProblem();
        if (!problem.empty()) {
            std::fprintf(stderr,
                         "The PostgreSQL test cluster in %s is not running (%s).\n"
                         "Run the tests through ctest, which starts it, or start it with\n"
                         "  bash %s fresh %s\n",
                         ocitest::Dir().c_str(), problem.c_str(), ocitest::FixtureScript("pgcluster.sh").c_str(),
                         ocitest::Dir().c_str());
            std::exit(1);
        }
        setenv("TNS_ADMIN", ocitest::TnsAdmin().c_str(), 1);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new ClusterEnvironment);
    return RUN_ALL_TESTS();
}
