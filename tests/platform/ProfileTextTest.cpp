#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/ProfileText.h"

using platform::FindProfileValue;
using platform::WithProfileValue;

TEST(ProfileText, FindsValues)
{
    struct Case {
        const char* text;
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"", "Lumidex", "USER", std::nullopt},
        {"[Lumidex]\nUSER=scott\n", "Lumidex", "USER", "scott"},
        {"[lumidex]\nuser=scott\n", "LUMIDEX", "User", "scott"},
        {"[Lumidex]\r\nUSER=scott\r\n", "Lumidex", "USER", "scott"},
        {"  [ Lumidex ]  \n\t USER \t= \t scott tiger \t\n", "Lumidex", "USER", "scott tiger"},
        {"[Lumidex]\nUSER=\n", "Lumidex", "USER", ""},
        {"[Lumidex]\nUSER=a=b\n", "Lumidex", "USER", "a=b"},
        {"[Lumidex]\nUSER=\"quoted\"\n", "Lumidex", "USER", "quoted"},
        {"[Lumidex]\nUSER='x'\n", "Lumidex", "USER", "x"},
        {"[Lumidex]\nUSER=\"x'\n", "Lumidex", "USER", "\"x'"},
        {"[Lumidex]\nUSER=\"\n", "Lumidex", "USER", "\""},
        {"USER=outside\n[Lumidex]\n", "Lumidex", "USER", std::nullopt},
        {"[Other]\nUSER=other\n[Lumidex]\nMODE=1\n", "Lumidex", "USER", std::nullopt},
        {"[Lumidex]\nUSER=first\nUSER=second\n", "Lumidex", "USER", "first"},
        {"[Lumidex]\nUSER=one\n[Lumidex]\nUSER=two\n", "Lumidex", "USER", "one"},
        {"[Lumidex]\n;USER=commented\nUSER=real", "Lumidex", "USER", "real"},
        {"[Lumidex]\nUSER\nXSL=0", "Lumidex", "USER", std::nullopt},
        {"[Lumidex\nUSER=open bracket", "Lumidex", "USER", "open bracket"},
        {"[Lumidex] trailing\nUSER=x", "Lumidex", "USER", "x"},
        {"[Lumidex]\nUSERS=x\n", "Lumidex", "USER", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindProfileValue(c.text, c.section, c.key), c.expected) << c.text;
}

TEST(ProfileText, WritesInPlaceAndKeepsOtherLines)
{
    struct Case {
        const char* text;
        const char* key;
        const char* value;
        const char* expected;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        const std::string written = WithProfileValue(c.text, "Lumidex", c.key, c.value);
        EXPECT_EQ(written, c.expected) << c.text;
        EXPECT_EQ(FindProfileValue(written, "Lumidex", c.key), std::string(c.value)) << c.text;
    }
}
