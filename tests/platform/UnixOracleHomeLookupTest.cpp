#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "platform/UnixOracleHomeLookup.h"

using testfixture::ScopedEnv;

// The two homes' candidates, after TNS_ADMIN's when one is given.
static std::vector<std::string> Candidates(const std::string& first, const std::string& second,
                                           const std::string& tnsAdmin = "")
{
    std::vector<std::string> paths;
    if (!tnsAdmin.empty())
        paths.push_back(tnsAdmin + "/tnsnames.ora");
    for (const std::string& home : {first, second}) {
        paths.push_back(home + "/network/admin/tnsnames.ora");
        paths.push_back(home + "/net80/admin/tnsnames.ora");
    }
    return paths;
}

TEST(UnixOracleHomeLookup, SearchOrderCreatingNothing)
{
    TempFolder folder;
    const std::string oratab =
        folder.Put("oratab", "# comment\n\n  \nbroken line\nORCL:/u01/second:N\nX:/u02/third:Y\n");
    const std::string home = folder.Path("home");
    const std::string admin = folder.Path("admin");
    // TNS_ADMIN, ORACLE_HOME, ORA_CRS_HOME (nullopt: unset), the oratab file; the candidates.
    using Env = std::optional<std::string>;
    const std::tuple<Env, Env, Env, std::string, std::vector<std::string>> cases[] = {
        {std::nullopt, home, "/opt/crs", oratab, Candidates(home, "/u01/second")},
        {std::nullopt, std::nullopt, "/opt/crs", oratab, Candidates("/opt/crs", "/u01/second")},
        {std::nullopt, "", "/opt/crs", oratab, Candidates("", "/u01/second")},
        {std::nullopt, std::nullopt, std::nullopt, oratab, Candidates("", "/u01/second")},
        {std::nullopt, home, std::nullopt, folder.Path("missing"), Candidates(home, home)},
        {"", home, std::nullopt, folder.Path("missing"), Candidates(home, home)},
        {admin, home, std::nullopt, oratab, Candidates(home, "/u01/second", admin)},
    };
    for (const auto& [tnsAdmin, oracleHome, crsHome, oratabPath, expected] : cases) {
        ScopedEnv tnsAdminEnv("TNS_ADMIN", tnsAdmin);
        ScopedEnv oracleHomeEnv("ORACLE_HOME", oracleHome);
        ScopedEnv crsHomeEnv("ORA_CRS_HOME", crsHome);
        EXPECT_EQ(platform::UnixOracleHomeLookup(oratabPath).TnsNamesCandidates(), expected)
            << oracleHome.value_or("(unset)") << " " << oratabPath;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 1);
}
