#include "tests/support/TestFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

class ClusterEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("TNS_ADMIN", testfixture::TnsAdmin().c_str(), 1);
        const std::string problem = testfixture::ClusterProblem();
        if (!problem.empty()) {
            std::fputs(problem.c_str(), stderr);
            std::exit(1);
        }
    }
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new ClusterEnvironment);
    return RUN_ALL_TESTS();
}
