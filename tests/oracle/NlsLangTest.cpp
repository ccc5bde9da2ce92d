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
    const std::optional<std::string> settings[] = {std::nullopt, "GERMAN_GERMANY.WE8ISO8859P1"};
    for (const std::optional<std::string>& users : settings) {
        ScopedEnv nlsLang("NLS_LANG", users);
        OracleSession session;
        ASSERT_TRUE(std::getenv("NLS_LANG"));
        EXPECT_EQ(std::getenv("NLS_LANG"), users.value_or("AMERICAN_AMERICA.AL32UTF8"));
    }
    std::setlocale(LC_CTYPE, "C");
}

}  // namespace
