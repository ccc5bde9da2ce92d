#pragma once

// A logon through the program's session for the catalog statements: each
// statement runs as Lumidex runs it, in the session's open transaction.

#include "tests/oracle/ProgramSession.h"

#include <gtest/gtest.h>

namespace dicttest {

using sessiontest::Result;
using testfixture::AdminValue;

struct Account {
    const char* pszUser;
    const char* pszPassword;
};
// The superuser the fixture acts as.
inline Account Admin() { return {testfixture::AdminUser().c_str(), testfixture::AdminPassword().c_str()}; }
inline constexpr Account kHr = {"hr", "hr"};

class CatalogSession : public sessiontest::ProgramSession {
public:
    explicit CatalogSession(const Account& account)
    {
        EXPECT_EQ(Connect(account.pszUser, account.pszPassword), SR_SUCCESS) << ErrorText();
        (*this)->SetCommitMode(1);
    }
    // Nothing a test made outlives it: logoff would commit.
    ~CatalogSession() { Run("ROLLBACK"); }
};

}  // namespace dicttest
