#include <gtest/gtest.h>

#include <string>

#include "export/XmlTextCodec.h"

using xmlexport::XmlTextCodec;

TEST(XmlTextCodec, EscapesTheSixCharacters)
{
    const XmlTextCodec codec("UTF-8");
    const std::pair<std::string, std::string> cases[] = {
        {"A&B", "A&#38;B"},
        {"#5", "&#35;5"},
        {"<a href='x'>\"q\"</a>", "&#60;a href=&#39;x&#39;&#62;&#34;q&#34;&#60;/a&#62;"},
        {"line\nfeed\ttab\r", "line\nfeed\ttab\r"},
        {"", ""},
        {"plain $-./:;", "plain $-./:;"},
        {std::string(1000, '&'), [] { std::string s; for (int i = 0; i < 1000; ++i) s += "&#38;"; return s; }()},
        {"\xC3\xA9<", "\xC3\xA9&#60;"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(codec.EscapeText(value), expected) << value;
}

TEST(XmlTextCodec, ElementNames)
{
    const XmlTextCodec codec("UTF-8");
    const std::pair<std::string, std::string> cases[] = {
        {"COUNT(*)", "COUNT___"},
        {"ROWS EST", "ROWS_EST"},
        {"", ""},
        {" #&<>\\'\"()*", "___________"},
        {"a$-./:b", "a$-./:b"},
        {"1st", "1st"},
        {"Mixed Case", "Mixed_Case"},
    };
    for (const auto& [header, expected] : cases)
        EXPECT_EQ(codec.MakeElementName(header), expected) << header;
}

// In Shift_JIS the second byte of a character may be a backslash or '\x5C';
// such a character stays whole, a lone lead byte at the end counts alone.
TEST(XmlTextCodec, WalksMultibyteCharactersWhole)
{
    const XmlTextCodec codec("SHIFT_JIS");
    EXPECT_EQ(codec.MakeElementName("\x95\x5C(\\)"), "\x95\x5C___");
    EXPECT_EQ(codec.MakeElementName("A\x95"), "A\x95");
    EXPECT_EQ(codec.EscapeText("\x95\x5C<"), "\x95\x5C&#60;");
    EXPECT_EQ(codec.ToUtf8("\x95\x5C"), "\xE8\xA1\xA8");
}

std::string Replacements(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "\xEF\xBF\xBD";
    return text;
}

TEST(XmlTextCodec, ToUtf8FromTheSourceCharacterSet)
{
    struct Case {
        const char* charset;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"ISO-8859-1", "\xE9", "\xC3\xA9"},
        {"ISO-8859-1", "\x80", "\xC2\x80"},
        {"ISO-8859-1", "\xFF\xC0 x", "\xC3\xBF\xC3\x80 x"},
        {"UTF-8", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"UTF-8", "a\xE9z", "a\xEF\xBF\xBDz"},
        // Ill-formed UTF-8 of every kind: one U+FFFD for each longest start
        // of a character, whatever the C library would let through.
        {"UTF-8", "cut\xE2\x82", "cut\xEF\xBF\xBD"},
        {"UTF-8", "\xF0\x9F\x98" "a", "\xEF\xBF\xBD" "a"},
        {"UTF-8", "\xF4\x90\x80\x80", Replacements(4)},
        {"UTF-8", "\xF7\xBF\xBF\xBF", Replacements(4)},
        {"UTF-8", "\xF8\x88\x80\x80\x80", Replacements(5)},
        {"UTF-8", "\xFC\x84\x80\x80\x80\x80", Replacements(6)},
        {"UTF-8", "\xE0\x80\xAF", Replacements(3)},
        {"UTF-8", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        {"UTF-8", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"UTF-8", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"UTF-8", std::string("a\0b", 3), "a\xEF\xBF\xBD" "b"},
        {"ANSI_X3.4-1968", "ok\xE9", "ok\xEF\xBF\xBD"},
        {"NO-SUCH-CHARSET", "ok\xE9", "ok\xEF\xBF\xBD"},
        {"UTF-8", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(XmlTextCodec(c.charset).ToUtf8(c.text), c.expected) << c.charset << " " << c.text;
}

TEST(XmlTextCodec, LongTextsConvertWhole)
{
    std::string latin;
    std::string utf8;
    for (int i = 0; i < 20000; ++i) {
        latin += static_cast<char>(0xA0 + i % 0x60);
        const int code = 0xA0 + i % 0x60;
        utf8 += static_cast<char>(0xC0 | (code >> 6));
        utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
    EXPECT_EQ(XmlTextCodec("ISO-8859-1").ToUtf8(latin), utf8);
    EXPECT_EQ(XmlTextCodec("UTF-8").ToUtf8(utf8), utf8);
}
