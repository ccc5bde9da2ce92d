#pragma once

// A logon through the program's OracleSession on libocipg, for the catalog
// statements: each statement runs as Lumidex runs it, in the session's open
// transaction.

#include "oracle/OracleSession.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestFixture.h"

#include <gtest/gtest.h>

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
    bool bOk = false;
    int nCode = 0;  // the ORA- number of a failure
    std::string strError;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;  // "NULL" for NULL
    std::string Cell(size_t row, const std::string& column) const;
};

class CatalogSession {
public:
    explicit CatalogSession(const Account& account);
    // Nothing a test made outlives it: logoff would commit.
    ~CatalogSession() { Run("ROLLBACK"); }

    // Runs statements one after the other (split at ';', which the tests'
    // own statements hold nowhere else); the result is the last one's, or
    // the first failure's.
    Result Run(const std::string& sql);

    // A query left open after its first row, which lands in values; false,
    // with the error in values, when that fails.
    bool OpenQuery(const std::string& sql, std::vector<std::string>& values);
    // The open query's next row; false, with the error in values, when none.
    bool NextRow(std::vector<std::string>& values);

private:
    std::string ErrorText(int* code = nullptr);

    testfixture::ScopedEnv m_library{"LUMIDEX_OCI_LIBRARY", testfixture::OcipgLibrary()};
    OracleSession m_session;
    int m_nColumns = 0;  // of the query OpenQuery left open
};

// The names a statement's select list gives, as the library reports them.
std::vector<std::string> SelectListNames(const std::string& statement);

}  // namespace dicttest
