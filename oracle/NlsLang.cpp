#include "oracle/NlsLang.h"

#include "platform/LocaleCharset.h"

#include <cstdlib>
#include <string_view>

namespace {

struct CharsetName {
    std::string_view m_strLocale;
    std::string_view m_strOracle;
};

constexpr CharsetName kCharsets[] = {
    {"UTF-8", "AL32UTF8"},
    {"ISO-8859-1", "WE8ISO8859P1"},
    {"ISO-8859-2", "EE8ISO8859P2"},
    {"ISO-8859-5", "CL8ISO8859P5"},
    {"ISO-8859-7", "EL8ISO8859P7"},
    {"ISO-8859-15", "WE8ISO8859P15"},
    {"KOI8-R", "CL8KOI8R"},
    {"CP1251", "CL8MSWIN1251"},
    {"CP1252", "WE8MSWIN1252"},
    {"EUC-JP", "JA16EUC"},
};

}  // namespace

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
