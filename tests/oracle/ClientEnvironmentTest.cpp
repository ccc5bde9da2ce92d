#include "oracle/NlsLang.h"
#include "oracle/OracleSession.h"
#include "platform/LocaleCharset.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

using testfixture::MessageRecorder;
using testfixture::ScopedEnv;

TEST(NlsLang, NamesOraclesCharacterSetForTheLocales)
{
    // Code sets as glibc's nl_langinfo(CODESET) names them; the rest of the
    // table is data, its spelling checked against real locales below.
    const std::pair<const char*, const char*> cases[] = {
        {"UTF-8", "AL32UTF8"},
        {"ANSI_X3.4-1968", "US7ASCII"},  // the C and POSIX locales
        // No Oracle counterpart, or not glibc's spelling: left to the client.
        {"ARMSCII-8", ""},
        {"GEORGIAN-PS", ""},
        {"utf-8", ""},
        {"UTF8", ""},
        {"", ""},
    };
    for (const auto& [pszCodeset, pszOracle] : cases) {
        const std::string strExpected = *pszOracle ? std::string("AMERICAN_AMERICA.") + pszOracle : "";
        EXPECT_EQ(NlsLangForCharset(pszCodeset), strExpected) << pszCodeset;
    }
}

// Column buffers are sized by these: never too small for a set, whatever
// the spelling or whether the table knows it.
TEST(NlsLang, MostBytesPerCharacterOfTheClientSet)
{
    const std::pair<const char*, int> cases[] = {
        {"AMERICAN_AMERICA.AL32UTF8", 4}, {"GERMAN_GERMANY.utf8", 3},     {".ZHS16GBK", 2},
        {"AMERICAN_AMERICA.WE8ISO8859P1", 1}, {"AMERICAN_AMERICA.US7ASCII", 1},
        {"AMERICAN_AMERICA", 1},  // no set: US7ASCII
        {nullptr, 1},          {"AMERICAN_AMERICA.NOSUCHSET", 4},
    };
    for (const auto& [pszNlsLang, nBytes] : cases)
        EXPECT_EQ(MaxBytesPerCharacter(pszNlsLang), nBytes) << (pszNlsLang ? pszNlsLang : "(unset)");
}

// The table's names are glibc's own: locales made for code sets whose
// spelling differs elsewhere (Shift_JIS, TIS620, Big5-HKSCS) report them so.
TEST(NlsLang, KnowsTheCodeSetsOfLocalesAsGlibcNamesThem)
{
    namespace fs = std::filesystem;
    if (std::system("command -v localedef >/dev/null 2>&1") != 0 || !fs::exists("/usr/share/i18n/locales/ja_JP"))
        GTEST_SKIP() << "no locale compiler or locale sources";
    const fs::path dir = fs::temp_directory_path() / ("lumidex-locales-" + std::to_string(getpid()));
    fs::create_directories(dir);
    ScopedEnv localePath("LOCPATH", dir.string());
    struct Case {
        const char* m_pszSource;
        const char* m_pszCharmap;
        const char* m_pszOracle;
    };
    const Case cases[] = {
        {"ja_JP", "SHIFT_JIS", "JA16SJIS"},
        {"th_TH", "TIS-620", "TH8TISASCII"},
        {"zh_HK", "BIG5-HKSCS", "ZHT16HKSCS"},
        {"ru_RU", "CP1251", "CL8MSWIN1251"},
        {"de_DE", "ISO-8859-15", "WE8ISO8859P15"},
    };
    for (const Case& c : cases) {
        const std::string strLocale = std::string(c.m_pszSource) + "." + c.m_pszCharmap;
        const std::string strCommand = std::string("localedef --no-warnings=ascii -i ") + c.m_pszSource + " -f " +
                                       c.m_pszCharmap + " '" + (dir / strLocale).string() + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(strCommand.c_str()), 0) << strCommand;
        ASSERT_TRUE(std::setlocale(LC_CTYPE, strLocale.c_str())) << strLocale;
        EXPECT_EQ(NlsLangForCharset(platform::LocaleCharset()), std::string("AMERICAN_AMERICA.") + c.m_pszOracle)
            << platform::LocaleCharset();
    }
    std::setlocale(LC_CTYPE, "C");
    fs::remove_all(dir);
}

// Both are read by the client as it loads, so the session sets them first.
class ClientEnvironment : public ::testing::Test {
protected:
    ClientEnvironment() : m_library("LUMIDEX_OCI_LIBRARY", "/nonexistent/libclntsh.so") {}

    ScopedEnv m_library;
    MessageRecorder m_messages;
};

TEST_F(ClientEnvironment, NlsLangIsSetAtLoadUnlessTheUserSetIt)
{
    const std::pair<const char*, std::string> locales[] = {
        {"C.UTF-8", "AMERICAN_AMERICA.AL32UTF8"},
        {"C", "AMERICAN_AMERICA.US7ASCII"},
    };
    for (const auto& [pszLocale, strExpected] : locales) {
        ASSERT_TRUE(std::setlocale(LC_CTYPE, pszLocale));
        const std::optional<std::string> settings[] = {std::nullopt, "GERMAN_GERMANY.WE8ISO8859P1"};
        for (const std::optional<std::string>& users : settings) {
            ScopedEnv nlsLang("NLS_LANG", users);
            OracleSession session;
            ASSERT_TRUE(std::getenv("NLS_LANG"));
            EXPECT_EQ(std::getenv("NLS_LANG"), users.value_or(strExpected)) << pszLocale;
        }
    }
    std::setlocale(LC_CTYPE, "C");
}

TEST_F(ClientEnvironment, ErrorUrlsAreSuppressedUnlessTheUserChose)
{
    const std::optional<std::string> settings[] = {std::nullopt, "FALSE"};
    for (const std::optional<std::string>& users : settings) {
        ScopedEnv suppress("ORA_SUPPRESS_ERROR_URL", users);
        OracleSession session;
        ASSERT_TRUE(std::getenv("ORA_SUPPRESS_ERROR_URL"));
        EXPECT_EQ(std::getenv("ORA_SUPPRESS_ERROR_URL"), users.value_or("TRUE"));
    }
}

}  // namespace
