#include "ocipg/tests/support/TestFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Before the first test: the cluster answers, or the run stops at once with why; the tests find its tnsnames.ora.
class ClusterEnvironment : public ::testing::Environment {
    void SetUp() override
    {
        if (const std::string problem = ocitest::ClusterProblem(); !problem.empty()) {
            std::fputs(problem.c_str(), stderr);
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
