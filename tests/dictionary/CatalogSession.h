#pragma once

// A logon through libocipg, for the catalog statements: each statement runs
// as Lumidex runs it, in the session's open transaction.

#include "tests/ocipg/OcipgTest.h"

#include <string>
#include <vector>

namespace dicttest {

using testfixture::AdminValue;

struct Account {
    const char* pszUser;
    const char* pszPassword;
};
inline constexpr Account kSystem = {"system", "manager"};
inline constexpr Account kHr = {"hr", "hr"};

struct Result {
    bool bOk = false;
    sb4 nCode = 0;  // the ORA- number of a failure
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

    ocitest::Session& Client() { return m_session; }

private:
    ocitest::Session m_session{ocitest::Oci()};
};

// The names a statement's select list gives, as the library reports them.
std::vector<std::string> SelectListNames(const std::string& statement);

}  // namespace dicttest
