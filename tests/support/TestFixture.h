#pragma once

// Where the test cluster of this build tree lives and how to reach it.

#include <string>

namespace testfixture {

inline std::string Dir() { return LUMIDEX_FIXTURE_DIR; }
inline std::string SocketDir() { return Dir() + "/run"; }
inline std::string TnsAdmin() { return Dir() + "/admin"; }
inline const char* OcipgLibrary() { return LUMIDEX_OCIPG_PATH; }
inline const char* ClusterScript() { return LUMIDEX_CLUSTER_SCRIPT; }
inline constexpr int kPort = 55432;

// libpq connection string for the superuser, to check results against
// PostgreSQL's own catalogs or to act on the server behind a test's back.
inline std::string AdminConnInfo()
{
    return "host=" + SocketDir() + " port=" + std::to_string(kPort) +
           " dbname=lumidex user=system password=manager";
}

// "" when the cluster answers; otherwise why not and how to start it.
std::string ClusterProblem();

// The first value of a statement run as the superuser behind the tests' back;
// "" when it returns no row, "error: <text>" when it fails.
std::string AdminValue(const std::string& sql);

// Makes the password of the fixture's account "warned" expire this long from
// now ("3 days"); the logon then warns with ORA-28002. "" on success.
inline std::string ExpireWarnedIn(const std::string& interval)
{
    return AdminValue("DO $$BEGIN EXECUTE format('ALTER ROLE warned VALID UNTIL %L', now() + interval '" +
                      interval + "'); END$$");
}

}  // namespace testfixture
