#pragma once

// Where the test cluster of this build tree lives and how to reach it: the
// folder is fixed per build tree, the rest is read from the fixture.env the
// cluster script writes there.

#include <string>

namespace testfixture {

inline std::string Dir() { return LUMIDEX_FIXTURE_DIR; }
inline const char* OcipgLibrary() { return LUMIDEX_OCIPG_PATH; }
inline const char* ClusterScript() { return LUMIDEX_CLUSTER_SCRIPT; }

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

// "" when the cluster answers; otherwise why not and how to start it.
std::string ClusterProblem();

// The first value of a statement (of the last, given several) run as the superuser
// behind the tests' back, or as whom strAs names (" user=... password=..."); "" when it
// returns no row, "error: <text>" when it fails.
std::string AdminValue(const std::string& sql, const std::string& strAs = "");

// Makes the password of the fixture's account "warned" expire this long from
// now ("3 days"); the logon then warns with ORA-28002. "" on success.
inline std::string ExpireWarnedIn(const std::string& interval)
{
    return AdminValue("DO $$BEGIN EXECUTE format('ALTER ROLE warned VALID UNTIL %L', now() + interval '" +
                      interval + "'); END$$");
}

}  // namespace testfixture
