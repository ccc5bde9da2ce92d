#include "oracle/NlsLang.h"

#include "platform/LocaleCharset.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

namespace {

struct CharsetName {
    std::string_view m_strLocale;
    std::string_view m_strOracle;
};

// Every code set of a glibc locale that Oracle has a character set for, by
// the names nl_langinfo(CODESET) gives.
constexpr CharsetName kCharsets[] = {
    {"UTF-8", "AL32UTF8"},
    {"ANSI_X3.4-1968", "US7ASCII"},
    {"ISO-8859-1", "WE8ISO8859P1"},
    {"ISO-8859-2", "EE8ISO8859P2"},
    {"ISO-8859-3", "SE8ISO8859P3"},
    {"ISO-8859-4", "NEE8ISO8859P4"},
    {"ISO-8859-5", "CL8ISO8859P5"},
    {"ISO-8859-6", "AR8ISO8859P6"},
    {"ISO-8859-7", "EL8ISO8859P7"},
    {"ISO-8859-8", "IW8ISO8859P8"},
    {"ISO-8859-9", "WE8ISO8859P9"},
    {"ISO-8859-10", "NE8ISO8859P10"},
    {"ISO-8859-13", "BLT8ISO8859P13"},
    {"ISO-8859-14", "CEL8ISO8859P14"},
    {"ISO-8859-15", "WE8ISO8859P15"},
    {"TIS-620", "TH8TISASCII"},
    {"KOI8-R", "CL8KOI8R"},
    {"KOI8-U", "CL8KOI8U"},
    {"CP1250", "EE8MSWIN1250"},
    {"CP1251", "CL8MSWIN1251"},
    {"CP1252", "WE8MSWIN1252"},
    {"CP1253", "EL8MSWIN1253"},
    {"CP1254", "TR8MSWIN1254"},
    {"CP1255", "IW8MSWIN1255"},
    {"CP1256", "AR8MSWIN1256"},
    {"CP1257", "BLT8MSWIN1257"},
    {"CP1258", "VN8MSWIN1258"},
    {"EUC-JP", "JA16EUC"},
    {"SHIFT_JIS", "JA16SJIS"},
    {"GB2312", "ZHS16CGB231280"},
    {"GBK", "ZHS16GBK"},
    {"GB18030", "ZHS32GB18030"},
    {"BIG5", "ZHT16BIG5"},
    {"BIG5-HKSCS", "ZHT16HKSCS"},
    {"EUC-TW", "ZHT32EUC"},
    {"EUC-KR", "KO16KSC5601"},
    {"CP949", "KO16MSWIN949"},
};

struct CharsetWidth {
    std::string_view m_strOracle;
    int m_nMaxBytes;
};

// Oracle's client character sets of more than one byte per character.
constexpr CharsetWidth kMultiByteCharsets[] = {
    {"AL32UTF8", 4},     {"UTF8", 3},         {"ZHS32GB18030", 4}, {"ZHT32EUC", 4},
    {"JA16EUC", 3},      {"JA16SJIS", 2},     {"ZHS16CGB231280", 2}, {"ZHS16GBK", 2},
    {"ZHT16BIG5", 2},    {"ZHT16HKSCS", 2},   {"KO16KSC5601", 2},  {"KO16MSWIN949", 2},
};

std::string UpperCase(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

}  // namespace

int MaxBytesPerCharacter(const char* pszNlsLang)
{
    const std::string_view nlsLang = pszNlsLang ? pszNlsLang : "";
    const size_t dot = nlsLang.rfind('.');
    if (dot == std::string_view::npos)
        return 1;  // US7ASCII
    const std::string charset = UpperCase(nlsLang.substr(dot + 1));
    for (const CharsetWidth& width : kMultiByteCharsets) {
        if (width.m_strOracle == charset)
            return width.m_nMaxBytes;
    }
    for (const CharsetName& name : kCharsets) {
        if (name.m_strOracle == charset)
            return 1;
    }
    return 4;
}

std::string NlsLangForCharset(const std::string& strCharset)
{
    for (const CharsetName& name : kCharsets) {
        if (name.m_strLocale == strCharset)
            return "AMERICAN_AMERICA." + std::string(name.m_strOracle);
    }
    return "";
}

void SetDefaultNlsLang()
{
    if (std::getenv("NLS_LANG"))
        return;
    const std::string strNlsLang = NlsLangForCharset(platform::LocaleCharset());
    if (!strNlsLang.empty())
        setenv("NLS_LANG", strNlsLang.c_str(), 0);
}
