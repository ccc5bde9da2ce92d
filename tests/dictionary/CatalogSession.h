#pragma once

// A logon through the program's OracleSession on libocipg, for the catalog
// statements: each statement runs as Lumidex runs it, in the session's open
// transaction.

#include "oracle/OracleSession.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dicttest {

using testfixture::AdminValue;

struct Account {
    const char* pszUser;
    const char* pszPassword;
};
// The superuser the fixture acts as.
inline Account Admin() { return {testfixture::AdminUser().c_str(), testfixture::AdminPassword().c_str()}; }
inline constexpr Account kHr = {"hr", "hr"};

struct Result {
    std::string strError;  // of the first failure; empty when all succeeded
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;  // "NULL" for NULL
    std::string Cell(size_t row, const std::string& column) const;
    // Cells joined by " ", rows by "\n"; or the error's first line.
    std::string Text() const;
};

class CatalogSession {
public:
    explicit CatalogSession(const Account& account);
    // Nothing a test made outlives it: logoff would commit.
    ~CatalogSession() { Run("ROLLBACK"); }

    // Runs statements one after the other (split at ';', which the tests'
    // own statements hold nowhere else); the result is the last one's, or
    // the first failure's. A query is read up to nMaxRows rows and left open.
    Result Run(const std::string& sql, size_t nMaxRows = SIZE_MAX);
    // Up to nMaxRows further rows of the query left open.
    Result Fetch(size_t nMaxRows);

private:
    std::string ErrorText();

    testfixture::ScopedEnv m_library{"LUMIDEX_OCI_LIBRARY", testfixture::OcipgLibrary()};
    OracleSession m_session;
    int m_nColumns = 0;  // of the query left open
};

}  // namespace dicttest
