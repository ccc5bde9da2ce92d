#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"
#include "platform/UnixOracleHomeLookup.h"

using platform::UnixOracleHomeLookup;
using testfixture::ScopedEnv;

namespace {

std::vector<std::string> Candidates(const std::string& first, const std::string& second)
{
    return {first + "/network/admin/tnsnames.ora", first + "/net80/admin/tnsnames.ora",
            second + "/network/admin/tnsnames.ora", second + "/net80/admin/tnsnames.ora"};
}

}  // namespace

TEST(UnixOracleHomeLookup, SearchOrder)
{
    TempFolder folder;
    const std::string oratab =
        folder.Put("oratab", "# comment\n\n  \nbroken line\nORCL:/u01/second:N\nX:/u02/third:Y\n");
    struct Case {
        std::optional<std::string> tnsAdmin;
        std::optional<std::string> oracleHome;
        std::optional<std::string> crsHome;
        std::string oratabPath;
        std::vector<std::string> expected;
    };
    std::vector<Case> cases = {
        {std::nullopt, "/opt/ora", "/opt/crs", oratab, Candidates("/opt/ora", "/u01/second")},
        {std::nullopt, std::nullopt, "/opt/crs", oratab, Candidates("/opt/crs", "/u01/second")},
        {std::nullopt, "", "/opt/crs", oratab, Candidates("", "/u01/second")},
        {std::nullopt, std::nullopt, std::nullopt, oratab, Candidates("", "/u01/second")},
        {std::nullopt, "/opt/ora", std::nullopt, folder.Path("missing"), Candidates("/opt/ora", "/opt/ora")},
        {"", "/opt/ora", std::nullopt, folder.Path("missing"), Candidates("/opt/ora", "/opt/ora")},
    };
    Case withTnsAdmin{"/etc/tns", "/opt/ora", std::nullopt, oratab, Candidates("/opt/ora", "/u01/second")};
    withTnsAdmin.expected.insert(withTnsAdmin.expected.begin(), "/etc/tns/tnsnames.ora");
    cases.push_back(withTnsAdmin);

    for (const Case& c : cases) {
        ScopedEnv tnsAdmin("TNS_ADMIN", c.tnsAdmin);
        ScopedEnv oracleHome("ORACLE_HOME", c.oracleHome);
        ScopedEnv crsHome("ORA_CRS_HOME", c.crsHome);
        EXPECT_EQ(UnixOracleHomeLookup(c.oratabPath).TnsNamesCandidates(), c.expected)
            << c.oracleHome.value_or("(unset)") << " " << c.oratabPath;
    }
}

TEST(UnixOracleHomeLookup, CreatesNothing)
{
    TempFolder folder;
    ScopedEnv tnsAdmin("TNS_ADMIN", folder.Path("admin"));
    ScopedEnv oracleHome("ORACLE_HOME", folder.Path("home"));
    const auto candidates = UnixOracleHomeLookup(folder.Path("oratab")).TnsNamesCandidates();
    EXPECT_EQ(candidates.size(), 5u);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path("")));
}
