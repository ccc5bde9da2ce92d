#include "tests/support/TestFixture.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>

namespace {

class ClusterEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("TNS_ADMIN", testfixture::TnsAdmin().c_str(), 1);
        PGconn* conn = PQconnectdb(testfixture::AdminConnInfo().c_str());
        const bool ok = PQstatus(conn) == CONNECTION_OK;
        if (!ok) {
            std::fprintf(stderr,
                         "The PostgreSQL test cluster in %s is not running (%s).\n"
                         "Run the tests through ctest, which starts it, or start it with\n"
                         "  tests/fixture/pgcluster.sh fresh %s\n",
                         testfixture::Dir().c_str(), PQerrorMessage(conn), testfixture::Dir().c_str());
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
