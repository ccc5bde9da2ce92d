#pragma once

// Where libocipg's test cluster of this build tree lives and how to reach it:
// the folder is fixed per build tree, the rest is read from the fixture.env
// the cluster script writes there.

#include <string>

namespace ocitest {

inline std::string Dir() { return OCIPG_FIXTURE_DIR; }
inline const char* OcipgLibrary() { return OCIPG_LIBRARY_PATH; }
// A script of the fixture folder (pgcluster.sh, tlsserver.sh).
inline std::string FixtureScript(const char* name) { return std::string(OCIPG_FIXTURE_SCRIPTS "/") + name; }

// A value of fixture.env (PGHOST, PGPORT, ...); empty when the file or the key
// is missing.
const std::string& Fact(const char* key);
inline const std::string& SocketDir() { return Fact("PGHOST"); }
inline const std::string& Port() { return Fact("PGPORT"); }
inline const std::string& Database() { return Fact("PGDATABASE"); }
inline const std::string& AdminUser() { return Fact("PGUSER"); }
inline const std::string& AdminPassword() { return Fact("PGPASSWORD"); }
inline const std::string& TnsAdmin() { return Fact("TNS_ADMIN"); }

// libpq connection string for the superuser, to check results against
// PostgreSQL's own catalogs or to act on the server behind a test's back.
std::string AdminConnInfo();

// The first value of a statement run as the superuser behind the tests' back;
// "" when it returns no row, "error: <text>" when it fails.
std::string AdminValue(const std::string& sql);

// Runs the cluster script (pgcluster.sh start|stop ...) on this build's
// cluster; returns the exit status.
int ClusterCommand(const std::string& command);

}  // namespace ocitest
