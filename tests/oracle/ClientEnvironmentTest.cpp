#include "oracle/NlsLang.h"
#include "oracle/OracleSession.h"
#include "platform/LocaleCharset.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

namespace {

using testfixture::ScopedEnv;

// Column buffers are sized by the most bytes per character, never too small for a set, known or not. Code
// sets without an Oracle counterpart, or not as glibc spells them, leave NLS_LANG to the client.
TEST(NlsLang, TablesOfTheClientCharacterSets)
{
    const std::pair<const char*, int> cases[] = {
        {"AMERICAN_AMERICA.AL32UTF8", 4},     {"GERMAN_GERMANY.utf8", 3},       {".ZHS16GBK", 2},
        {"AMERICAN_AMERICA.WE8ISO8859P1", 1}, {"AMERICAN_AMERICA.US7ASCII", 1}, {nullptr, 1},
        {"AMERICAN_AMERICA", 1} /* no set: US7ASCII */, {"AMERICAN_AMERICA.NOSUCHSET", 4},
    };
    for (const auto& [pszNlsLang, nBytes] : cases)
        EXPECT_EQ(MaxBytesPerCharacter(pszNlsLang), nBytes) << (pszNlsLang ? pszNlsLang : "(unset)");
    for (const char* pszCodeset : {"ARMSCII-8", "GEORGIAN-PS", "utf-8", "UTF8", ""})
        EXPECT_EQ(NlsLangForCharset(pszCodeset), "") << pszCodeset;
}

// By glibc's names, also those spelt otherwise elsewhere (Shift_JIS, TIS620, Big5-HKSCS).
TEST(NlsLang, KnowsTheCodeSetsOfLocalesAsGlibcNamesThem)
{
    if (std::system("command -v localedef >/dev/null 2>&1") != 0 ||
        !std::filesystem::exists("/usr/share/i18n/locales/ja_JP"))
        GTEST_SKIP() << "no locale compiler or locale sources";
    const TempFolder dir;
    ScopedEnv localePath("LOCPATH", dir.Path(""));
    for (const std::string locale : {"ja_JP.SHIFT_JIS", "th_TH.TIS-620", "zh_HK.BIG5-HKSCS", "ru_RU.CP1251"}) {
        const std::string command = "localedef --no-warnings=ascii -i " + locale.substr(0, 5) + " -f " +
                                    locale.substr(6) + " '" + dir.Path(locale) + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        ASSERT_TRUE(std::setlocale(LC_CTYPE, locale.c_str())) << locale;
        EXPECT_NE(NlsLangForCharset(platform::LocaleCharset()), "") << platform::LocaleCharset();
    }
    std::setlocale(LC_CTYPE, "C");
}

// Both are read by the client as it loads, so the session sets them first, unless the user did.
TEST(ClientEnvironment, SetAtLoadUnlessTheUserSetThem)
{
    ScopedEnv library("LUMIDEX_OCI_LIBRARY", "/nonexistent/libclntsh.so");
    testfixture::MessageRecorder messages;
    const struct {
        const char* pszLocale;
        const char* pszName;
        std::optional<std::string> users;
        const char* pszExpected;
    } cases[] = {
        {"C.UTF-8", "NLS_LANG", std::nullopt, "AMERICAN_AMERICA.AL32UTF8"},
        {"C", "NLS_LANG", std::nullopt, "AMERICAN_AMERICA.US7ASCII"},
        {"C.UTF-8", "NLS_LANG", "GERMAN_GERMANY.WE8ISO8859P1", "GERMAN_GERMANY.WE8ISO8859P1"},
        {"C", "ORA_SUPPRESS_ERROR_URL", std::nullopt, "TRUE"},
        {"C", "ORA_SUPPRESS_ERROR_URL", "FALSE", "FALSE"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(std::setlocale(LC_CTYPE, c.pszLocale));
        ScopedEnv users(c.pszName, c.users);
        OracleSession session;
        EXPECT_STREQ(std::getenv(c.pszName), c.pszExpected) << c.pszName << " in " << c.pszLocale;
    }
    std::setlocale(LC_CTYPE, "C");
}

}  // namespace
