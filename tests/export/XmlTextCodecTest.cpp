#include <gtest/gtest.h>

#include "export/XmlTextCodec.h"

using xmlexport::XmlTextCodec;

TEST(XmlTextCodec, EscapesNamesAndConverts)
{
    const auto Repeat = [](const std::string& strText, int nCount) {
        std::string strRepeated;
        while (nCount-- > 0)
            strRepeated += strText;
        return strRepeated;
    };
    using Function = std::string (XmlTextCodec::*)(std::string_view) const;
    const Function escape = &XmlTextCodec::EscapeText;
    const Function name = &XmlTextCodec::MakeElementName;
    const Function utf8 = &XmlTextCodec::ToUtf8;
    const std::string fffd = "\xEF\xBF\xBD";
    const struct {
        const char* pszCharset;
        Function function;
        std::string strText;
        std::string strExpected;
    } cases[] = {
        {"UTF-8", escape, "<a href='x'>\"q\"</a> A&B #5",
         "&#60;a href=&#39;x&#39;&#62;&#34;q&#34;&#60;/a&#62; A&#38;B &#35;5"},
        {"UTF-8", escape, "line\nfeed\ttab\r plain $-./:; \xC3\xA9", "line\nfeed\ttab\r plain $-./:; \xC3\xA9"},
        {"UTF-8", escape, Repeat("&", 1000), Repeat("&#38;", 1000)},
        {"UTF-8", name, "COUNT(*) #&<>\\'\"", "COUNT___________"},
        {"UTF-8", name, "1st a$-./:b", "1st_a$-./:b"}, {"UTF-8", name, "", ""},
        // In Shift_JIS a second byte may be a backslash: the character stays whole;
        // a lone lead byte at the end counts alone.
        {"SHIFT_JIS", name, "\x95\x5C(\\)", "\x95\x5C___"}, {"SHIFT_JIS", name, "A\x95", "A\x95"},
        {"SHIFT_JIS", escape, "\x95\x5C<", "\x95\x5C&#60;"}, {"SHIFT_JIS", utf8, "\x95\x5C", "\xE8\xA1\xA8"},
        {"ISO-8859-1", utf8, "\xE9\x80\xFF\xC0 x", "\xC3\xA9\xC2\x80\xC3\xBF\xC3\x80 x"},
        {"ISO-8859-1", utf8, std::string(20000, '\xE9'), Repeat("\xC3\xA9", 20000)},
        {"UTF-8", utf8, Repeat("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", 5000),
         Repeat("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", 5000)},
        {"UTF-8", utf8, "a\xE9z", "a" + fffd + "z"},
        // Ill-formed UTF-8 of every kind: one U+FFFD for each longest start
        // of a character, whatever the C library would let through.
        {"UTF-8", utf8, "cut\xE2\x82", "cut" + fffd}, {"UTF-8", utf8, "\xF0\x9F\x98" "a", fffd + "a"},
        {"UTF-8", utf8, "\xF4\x90\x80\x80", Repeat(fffd, 4)}, {"UTF-8", utf8, "\xF7\xBF\xBF\xBF", Repeat(fffd, 4)},
        {"UTF-8", utf8, "\xF8\x88\x80\x80\x80", Repeat(fffd, 5)},
        {"UTF-8", utf8, "\xFC\x84\x80\x80\x80\x80", Repeat(fffd, 6)},
        {"UTF-8", utf8, "\xE0\x80\xAF", Repeat(fffd, 3)}, {"UTF-8", utf8, "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        {"UTF-8", utf8, "\xC0\xAF", Repeat(fffd, 2)}, {"UTF-8", utf8, "\xED\xA0\x80", Repeat(fffd, 3)},
        {"UTF-8", utf8, std::string("a\0b", 3), "a" + fffd + "b"}, {"UTF-8", utf8, "", ""},
        {"ANSI_X3.4-1968", utf8, "ok\xE9", "ok" + fffd}, {"NO-SUCH-CHARSET", utf8, "ok\xE9", "ok" + fffd},
    };
    for (const auto& test : cases)
        EXPECT_EQ((XmlTextCodec(test.pszCharset).*test.function)(test.strText), test.strExpected)
            << test.pszCharset << " " << test.strText.substr(0, 40);
}
