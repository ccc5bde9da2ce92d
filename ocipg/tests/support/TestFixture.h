#pragma once

// Where libocipg's test cluster of this build tree lives and how to reach it.

#include <string>

namespace ocitest {

inline std::string Dir() { return OCIPG_FIXTURE_DIR; }
inline std::string SocketDir() { return Dir() + "/run"; }
inline std::string TnsAdmin() { return Dir() + "/admin"; }
inline const char* OcipgLibrary() { return OCIPG_LIBRARY_PATH; }
// A script of the fixture folder (pgcluster.sh, tlsserver.sh).
inline std::string FixtureScript(const char* name) { return std::string(OCIPG_FIXTURE_SCRIPTS "/") + name; }
inline constexpr int kPort = 55432;

// libpq connection string for the superuser, to check results against
// PostgreSQL's own catalogs or to act on the server behind a test's back.
inline std::string AdminConnInfo()
{
    return "host=" + SocketDir() + " port=" + std::to_string(kPort) +
           " dbname=lumidex user=system password=manager";
}

// The first value of a statement run as the superuser behind the tests' back;
// "" when it returns no row, "error: <text>" when it fails.
std::string AdminValue(const std::string& sql);

// Runs the cluster script (pgcluster.sh start|stop ...) on this build's
// cluster; returns the exit status.
int ClusterCommand(const std::string& command);

}  // namespace ocitest
