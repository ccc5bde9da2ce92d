#pragma once

// Where this build tree's test cluster lives (a fixed folder) and how to reach it (the fixture.env written there).

#include <cstdlib>
#include <optional>
#include <string>

namespace ocitest {

std::string Dir();
std::string FixtureScript(const char* name);  // pgcluster.sh, tlsserver.sh

// A value of fixture.env (PGHOST, PGPORT, ...); empty when the file or the key is missing.
const std::string& Fact(const char* key);
inline const std::string& SocketDir() { return Fact("PGHOST"); }
inline const std::string& Port() { return Fact("PGPORT"); }
inline const std::string& Database() { return Fact("PGDATABASE"); }
inline const std::string& AdminUser() { return Fact("PGUSER"); }
inline const std::string& AdminPassword() { return Fact("PGPASSWORD"); }
inline const std::string& TnsAdmin() { return Fact("TNS_ADMIN"); }

// The superuser's libpq connection string, to act on the server behind a test's back.
std::string AdminConnInfo();

// The first value of a statement (of the last, given several) run as the superuser; "" when it returns no row,
// "error: <text>" when it fails.
std::string AdminValue(const std::string& sql);

// "" when the cluster answers; otherwise why not and how to start it.
std::string ClusterProblem();

// pgcluster.sh start|stop on this build's cluster; its exit status.
int ClusterCommand(const std::string& command);

// Sets (or, given no value, removes) an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* pszName, const std::optional<std::string>& value) : m_strName(pszName)
    {
        if (const char* pszOld = std::getenv(pszName))
            m_strOld = pszOld;
        Set(value);
    }
    ~ScopedEnv() { Set(m_strOld); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Set(const std::optional<std::string>& value)
    {
        value ? setenv(m_strName.c_str(), value->c_str(), 1) : unsetenv(m_strName.c_str());
    }

    std::string m_strName;
    std::optional<std::string> m_strOld;
};

}  // namespace ocitest
