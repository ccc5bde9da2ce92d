#include <gtest/gtest.h>

#include <array>

#include "platform/ProfileText.h"

using namespace platform;

// USER of Lumidex in each text.
TEST(ProfileText, FindsValues)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"", std::nullopt}, {"[Lumidex]\nUSER=scott\n", "scott"}, {"[LUMIDEX]\nuser=scott\n", "scott"},
        {"[Lumidex]\r\nUSER=scott\r\n", "scott"}, {"  [ Lumidex ]  \n\t USER \t= \t scott tiger \t\n", "scott tiger"},
        {"[Lumidex]\nUSER=\n", ""}, {"[Lumidex]\nUSER=a=b\n", "a=b"}, {"[Lumidex]\nUSER=\"quoted\"\n", "quoted"},
        {"[Lumidex]\nUSER='x'\n", "x"}, {"[Lumidex]\nUSER=\"x'\n", "\"x'"}, {"[Lumidex]\nUSER=\"\n", "\""},
        {"USER=outside\n[Lumidex]\n", std::nullopt}, {"[Other]\nUSER=other\n[Lumidex]\nMODE=1\n", std::nullopt},
        {"[Lumidex]\nUSER=first\nUSER=second\n", "first"}, {"[Lumidex]\nUSER=one\n[Lumidex]\nUSER=two\n", "one"},
        {"[Lumidex]\n;USER=commented\nUSER=real", "real"}, {"[Lumidex]\nUSER\nXSL=0", std::nullopt},
        {"[Lumidex\nUSER=open bracket", "open bracket"}, {"[Lumidex] trailing\nUSER=x", "x"},
        {"[Lumidex]\nUSERS=x\n", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(FindProfileValue(text, "Lumidex", "USER"), expected) << text;
}

// Text, key and value set in Lumidex, and the text that results; the value reads back.
TEST(ProfileText, WritesInPlaceAndKeepsOtherLines)
{
    const std::array<const char*, 4> cases[] = {
        {"", "USER", "scott", "[Lumidex]\nUSER=scott\n"},
        {"[Lumidex]\nUSER=old\nMODE=1\n", "user", "new", "[Lumidex]\nUSER=new\nMODE=1\n"},
        {"[Lumidex]\n  USER = old  \nMODE=1", "USER", "new", "[Lumidex]\n  USER = new\nMODE=1"},
        {"[Lumidex]\r\nUSER=old\r\n", "USER", "", "[Lumidex]\r\nUSER=\r\n"},
        {"[Lumidex]\r\nUSER=a\r\n", "MODE", "2", "[Lumidex]\r\nUSER=a\r\nMODE=2\r\n"},
        {"[Lumidex]\nUSER=a", "MODE", "2", "[Lumidex]\nUSER=a\nMODE=2\n"},
        {"[Lumidex]", "MODE", "2", "[Lumidex]\nMODE=2\n"},
        {"; top\n[Lumidex]\nUSER=a\n\n[Other]\nK=v\n", "MODE", "0",
         "; top\n[Lumidex]\nUSER=a\nMODE=0\n\n[Other]\nK=v\n"},
        {"[Other]\nK=v", "XSL", "1", "[Other]\nK=v\n[Lumidex]\nXSL=1\n"},
        {"[Lumidex]\nnoise line\n", "XSL", "1", "[Lumidex]\nXSL=1\nnoise line\n"},
        {"[Lumidex]\nUSER=a\n", "USER", " a=b ;c [d] ", "[Lumidex]\nUSER=\" a=b ;c [d] \"\n"},
        {"[Lumidex]\nUSER=a\n", "USER", "\"q\"", "[Lumidex]\nUSER=\"\"q\"\"\n"},
        {"[Lumidex]\nUSER=a\n", "USER", "\"q", "[Lumidex]\nUSER=\"q\n"},
    };
    for (const auto& [text, key, value, expected] : cases) {
        const std::string written = WithProfileValue(text, "Lumidex", key, value);
        EXPECT_EQ(written, expected) << text;
        EXPECT_EQ(FindProfileValue(written, "Lumidex", key), std::string(value)) << text;
    }
}
