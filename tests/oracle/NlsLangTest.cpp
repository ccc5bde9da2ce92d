#include "oracle/OracleSession.h"
#include "tests/oracle/TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

using oracletest::MessageRecorder;
using oracletest::ScopedEnv;

TEST(NlsLang, IsSetAtLoadUnlessTheUserSetIt)
{
    ASSERT_TRUE(std::setlocale(LC_CTYPE, "C.UTF-8"));
    ScopedEnv library("LUMIDEX_OCI_LIBRARY", "/nonexistent/libclntsh.so");
    MessageRecorder messages;
    for (const char* pszUsers : {static_cast<const char*>(nullptr), "GERMAN_GERMANY.WE8ISO8859P1"}) {
        ScopedEnv nlsLang("NLS_LANG", pszUsers);
        OracleSession session;
        ASSERT_TRUE(std::getenv("NLS_LANG"));
        EXPECT_STREQ(std::getenv("NLS_LANG"), pszUsers ? pszUsers : "AMERICAN_AMERICA.AL32UTF8");
    }
    std::setlocale(LC_CTYPE, "C");
}

}  // namespace
