#include "ocipg/ClientEncoding.h"

#include <libpq-fe.h>

#include <cctype>
#include <string_view>

namespace ocipg {

namespace {

struct NamePair {
    const char* m_szOracle;
    const char* m_szPostgres;
};

// Oracle character sets to PostgreSQL encodings; US7ASCII is handled apart.
constexpr NamePair kOracleCharsets[] = {
    {"AL32UTF8", "UTF8"},        {"UTF8", "UTF8"},
    {"WE8ISO8859P1", "LATIN1"},  {"WE8ISO8859P15", "LATIN9"},
    {"EE8ISO8859P2", "LATIN2"},  {"WE8MSWIN1252", "WIN1252"},
    {"EE8MSWIN1250", "WIN1250"}, {"CL8MSWIN1251", "WIN1251"},
    {"CL8ISO8859P5", "ISO_8859_5"}, {"CL8KOI8R", "KOI8R"},
    {"EL8ISO8859P7", "ISO_8859_7"}, {"JA16EUC", "EUC_JP"},
    {"JA16SJIS", "SJIS"},        {"ZHS16GBK", "GBK"},
    {"ZHT16BIG5", "BIG5"},       {"KO16KSC5601", "EUC_KR"},
    {"KO16MSWIN949", "UHC"},
};

constexpr std::string_view kAscii7 = "US7ASCII";

// A language or territory name: letters, blanks and hyphens ("BRAZILIAN
// PORTUGUESE"), or nothing.
bool IsNlsName(std::string_view name)
{
    for (char c : name)
        if (!std::isalpha(static_cast<unsigned char>(c)) && c != ' ' && c != '-')
            return false;
    return true;
}

// language_territory.charset, each part optional; the character set in
// upper case, empty when not given; false when the text has another form.
bool SplitNlsLang(std::string_view value, std::string& charset)
{
    const size_t dot = value.find('.');
    const std::string_view head = value.substr(0, dot);
    const size_t underscore = head.find('_');
    if (!IsNlsName(head.substr(0, underscore)) ||
        (underscore != std::string_view::npos && !IsNlsName(head.substr(underscore + 1))))
        return false;
    if (dot == std::string_view::npos)
        return true;
    const std::string_view name = value.substr(dot + 1);
    if (name.empty())
        return false;
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
        charset += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return true;
}

}  // namespace

ClientCharset ClientCharsetOf(const char* nlsLang)
{
    ClientCharset result;
    std::string charset;
    if (nlsLang && !SplitNlsLang(nlsLang, charset))
        return result;
    if (charset.empty() || charset == kAscii7) {
        result.m_strEncoding = "UTF8";
        result.m_bAscii7 = true;
        return result;
    }
    for (const NamePair& pair : kOracleCharsets)
        if (charset == pair.m_szOracle)
            result.m_strEncoding = pair.m_szPostgres;
    return result;
}

size_t WholeCharacters(const char* text, size_t room, int encoding)
{
    size_t length = 0;
    while (text[length]) {
        const size_t next = length + static_cast<size_t>(PQmblenBounded(text + length, encoding));
        if (next > room)
            break;
        length = next;
    }
    return length;
}

}  // namespace ocipg
