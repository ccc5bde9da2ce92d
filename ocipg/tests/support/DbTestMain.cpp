#include "ocipg/tests/support/TestFixture.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>

namespace {

class ClusterEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("TNS_ADMIN", ocitest::TnsAdmin().c_str(), 1);
        PGconn* conn = PQconnectdb(ocitest::AdminConnInfo().c_str());
        const bool ok = PQstatus(conn) == CONNECTION_OK;
        if (!ok) {
            std::fprintf(stderr,
                         "The PostgreSQL test cluster in %s is not running (%s).\n"
                         "Run the tests through ctest, which starts it, or start it with\n"
                         "  bash %s fresh %s\n",
                         ocitest::Dir().c_str(), PQerrorMessage(conn), ocitest::FixtureScript("pgcluster.sh").c_str(),
                         ocitest::Dir().c_str());
        }
        PQfinish(conn);
        if (!ok)
            std::exit(1);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new ClusterEnvironment);
    return RUN_ALL_TESTS();
}
