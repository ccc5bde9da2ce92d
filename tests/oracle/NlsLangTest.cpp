#include "oracle/NlsLang.h"
#include "oracle/OracleSession.h"
#include "tests/oracle/TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

using oracletest::MessageRecorder;
using oracletest::ScopedEnv;

TEST(NlsLang, NamesTheOracleCharacterSetOfTheLocale)
{
    const std::pair<const char*, const char*> kCases[] = {
        {"UTF-8", "AMERICAN_AMERICA.AL32UTF8"},
        {"ISO-8859-1", "AMERICAN_AMERICA.WE8ISO8859P1"},
        {"ISO-8859-15", "AMERICAN_AMERICA.WE8ISO8859P15"},
        {"KOI8-R", "AMERICAN_AMERICA.CL8KOI8R"},
        {"ANSI_X3.4-1968", ""},
        {"", ""},
    };
    for (const auto& [pszCharset, pszExpected] : kCases)
        EXPECT_EQ(NlsLangForCharset(pszCharset), pszExpected) << pszCharset;
}

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
