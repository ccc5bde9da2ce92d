#pragma once

#include "tests/ocipg/OciClient.h"
#include "tests/support/TestFixture.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <string>

namespace ocitest {

inline const OciApi& Oci()
{
    const OciApi* api = LoadOci(testfixture::OcipgLibrary());
    if (!api) {
        ADD_FAILURE() << "cannot load " << testfixture::OcipgLibrary();
        std::abort();
    }
    return *api;
}

// One value through an admin libpq connection, to check behind the library.
inline std::string AdminValue(const std::string& sql)
{
    PGconn* conn = PQconnectdb(testfixture::AdminConnInfo().c_str());
    PGresult* result = PQexec(conn, sql.c_str());
    std::string value = PQresultStatus(result) == PGRES_TUPLES_OK && PQntuples(result) > 0
                            ? PQgetvalue(result, 0, 0)
                            : "error: " + std::string(PQerrorMessage(conn));
    PQclear(result);
    PQfinish(conn);
    return value;
}

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_strName(name)
    {
        if (const char* old = std::getenv(name)) {
            m_bHad = true;
            m_strOld = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (m_bHad)
            setenv(m_strName.c_str(), m_strOld.c_str(), 1);
        else
            unsetenv(m_strName.c_str());
    }

private:
    std::string m_strName;
    std::string m_strOld;
    bool m_bHad = false;
};

inline std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

}  // namespace ocitest
