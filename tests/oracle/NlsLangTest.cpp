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
        {"utf-8", ""},
        {"", ""},
    };
    for (const auto& [pszCharset, pszExpected] : kCases)
        EXPECT_EQ(NlsLangForCharset(pszCharset), pszExpected) << pszCharset;
}

class NlsLangAtLoad : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(std::setlocale(LC_CTYPE, "C.UTF-8")); }
    void TearDown() override { std::setlocale(LC_CTYPE, "C"); }

    void LoadNothing()
    {
        ScopedEnv library("LUMIDEX_OCI_LIBRARY", "/nonexistent/libclntsh.so");
        MessageRecorder messages;
        OracleSession session;
    }
};

TEST_F(NlsLangAtLoad, FollowsTheLocaleWhenUnset)
{
    ScopedEnv nlsLang("NLS_LANG", nullptr);
    LoadNothing();
    ASSERT_TRUE(std::getenv("NLS_LANG"));
    EXPECT_STREQ(std::getenv("NLS_LANG"), "AMERICAN_AMERICA.AL32UTF8");
}

TEST_F(NlsLangAtLoad, KeepsTheUsersSetting)
{
    ScopedEnv nlsLang("NLS_LANG", "GERMAN_GERMANY.WE8ISO8859P1");
    LoadNothing();
    EXPECT_STREQ(std::getenv("NLS_LANG"), "GERMAN_GERMANY.WE8ISO8859P1");
}

}  // namespace
