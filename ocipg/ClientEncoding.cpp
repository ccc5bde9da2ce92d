#include "ocipg/ClientEncoding.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <cstdlib>
#include <string_view>

namespace ocipg {

namespace {

struct NamePair {
    const char* m_szFrom;
    const char* m_szTo;
};

// Oracle character sets to PostgreSQL encodings.
constexpr NamePair kOracleCharsets[] = {
    {"AL32UTF8", "UTF8"},        {"UTF8", "UTF8"},
    {"US7ASCII", "SQL_ASCII"},   {"WE8ISO8859P1", "LATIN1"},
    {"WE8ISO8859P15", "LATIN9"}, {"EE8ISO8859P2", "LATIN2"},
    {"WE8MSWIN1252", "WIN1252"}, {"EE8MSWIN1250", "WIN1250"},
    {"CL8MSWIN1251", "WIN1251"}, {"CL8ISO8859P5", "ISO_8859_5"},
    {"CL8KOI8R", "KOI8R"},       {"EL8ISO8859P7", "ISO_8859_7"},
    {"JA16EUC", "EUC_JP"},       {"JA16SJIS", "SJIS"},
    {"ZHS16GBK", "GBK"},         {"ZHT16BIG5", "BIG5"},
    {"KO16KSC5601", "EUC_KR"},   {"KO16MSWIN949", "UHC"},
};

// Locale code sets (upper case, without '-' and '_') to PostgreSQL encodings.
constexpr NamePair kCodesets[] = {
    {"UTF8", "UTF8"},         {"ANSIX3.41968", "SQL_ASCII"},
    {"ISO88591", "LATIN1"},   {"ISO885915", "LATIN9"},
    {"ISO88592", "LATIN2"},   {"ISO88595", "ISO_8859_5"},
    {"ISO88597", "ISO_8859_7"}, {"CP1252", "WIN1252"},
    {"CP1251", "WIN1251"},    {"CP1250", "WIN1250"},
    {"KOI8R", "KOI8R"},       {"EUCJP", "EUC_JP"},
    {"SHIFTJIS", "SJIS"},     {"GBK", "GBK"},
    {"GB18030", "GB18030"},   {"BIG5", "BIG5"},
    {"EUCKR", "EUC_KR"},
};

std::string Lookup(const NamePair* table, size_t count, std::string_view name)
{
    for (size_t i = 0; i < count; ++i)
        if (name == table[i].m_szFrom)
            return table[i].m_szTo;
    return {};
}

std::string LocaleEncoding()
{
    // A locale of our own, so the result does not depend on whether the
    // calling program called setlocale.
    locale_t locale = newlocale(LC_CTYPE_MASK, "", nullptr);
    if (!locale)
        locale = newlocale(LC_CTYPE_MASK, "C", nullptr);
    std::string name;
    if (locale) {
        for (const char* p = nl_langinfo_l(CODESET, locale); *p; ++p)
            if (*p != '-' && *p != '_')
                name += static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
        freelocale(locale);
    }
    const std::string encoding = Lookup(kCodesets, std::size(kCodesets), name);
    return encoding.empty() ? "SQL_ASCII" : encoding;
}

std::string EncodingOfOracleCharset(std::string_view charset)
{
    std::string name;
    for (char c : charset)
        name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return Lookup(kOracleCharsets, std::size(kOracleCharsets), name);
}

}  // namespace

std::string ClientEncoding()
{
    if (const char* nlsLang = std::getenv("NLS_LANG")) {
        const std::string_view value(nlsLang);
        const size_t dot = value.rfind('.');
        if (dot != std::string_view::npos) {
            const std::string encoding = EncodingOfOracleCharset(value.substr(dot + 1));
            if (!encoding.empty())
                return encoding;
        }
    }
    return LocaleEncoding();
}

}  // namespace ocipg
