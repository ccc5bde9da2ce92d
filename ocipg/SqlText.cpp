#include "ocipg/SqlText.h"

#include <cctype>

namespace ocipg {

namespace {

struct Keyword {
    const char* m_szWord;
    ub2 m_nType;
};

constexpr Keyword kKeywords[] = {
    {"SELECT", OCI_STMT_SELECT}, {"WITH", OCI_STMT_SELECT},    {"UPDATE", OCI_STMT_UPDATE},
    {"DELETE", OCI_STMT_DELETE}, {"INSERT", OCI_STMT_INSERT},  {"CREATE", OCI_STMT_CREATE},
    {"DROP", OCI_STMT_DROP},     {"ALTER", OCI_STMT_ALTER},    {"BEGIN", OCI_STMT_BEGIN},
    {"DECLARE", OCI_STMT_DECLARE}, {"CALL", OCI_STMT_CALL},    {"MERGE", OCI_STMT_MERGE},
};

bool IsWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
           static_cast<unsigned char>(c) >= 0x80;
}

ub2 TypeOf(std::string_view word)
{
    std::string upper;
    for (char c : word)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const Keyword& keyword : kKeywords)
        if (upper == keyword.m_szWord)
            return keyword.m_nType;
    return OCI_STMT_UNKNOWN;
}

// Length of the literal, quoted name, comment or dollar-quoted string that
// starts at pos, or 0 when none does.
size_t SkipOpaque(std::string_view text, size_t pos)
{
    const char c = text[pos];
    const char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
    if (c == '-' && next == '-') {
        const size_t end = text.find('\n', pos);
        return (end == std::string_view::npos ? text.size() : end) - pos;
    }
    if (c == '/' && next == '*') {
        int depth = 0;
        size_t i = pos;
        while (i + 1 < text.size()) {
            if (text[i] == '/' && text[i + 1] == '*') {
                ++depth;
                i += 2;
            } else if (text[i] == '*' && text[i + 1] == '/') {
                i += 2;
                if (--depth == 0)
                    return i - pos;
            } else {
                ++i;
            }
        }
        return text.size() - pos;
    }
    if (c == '\'' || c == '"') {
        const bool backslashes = c == '\'' && pos > 0 && (text[pos - 1] == 'E' || text[pos - 1] == 'e');
        size_t i = pos + 1;
        while (i < text.size()) {
            if (backslashes && text[i] == '\\') {
                i += 2;
            } else if (text[i] == c) {
                if (i + 1 < text.size() && text[i + 1] == c)
                    i += 2;
                else
                    return i + 1 - pos;
            } else {
                ++i;
            }
        }
        return text.size() - pos;
    }
    if (c == '$' && (pos == 0 || !IsWordChar(text[pos - 1]))) {
        size_t i = pos + 1;
        while (i < text.size() && IsWordChar(text[i]) && text[i] != '$')
            ++i;
        if (i < text.size() && text[i] == '$' &&
            (i == pos + 1 || !std::isdigit(static_cast<unsigned char>(text[pos + 1])))) {
            const std::string_view tag = text.substr(pos, i + 1 - pos);
            const size_t end = text.find(tag, i + 1);
            return (end == std::string_view::npos ? text.size() : end + tag.size()) - pos;
        }
    }
    return 0;
}

}  // namespace

SqlText ScanSql(std::string_view text)
{
    SqlText sql;
    bool ended = false;  // a ';' has closed the first statement
    char previous = '\0';
    size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (const size_t opaque = SkipOpaque(text, pos)) {
            const bool comment = c == '-' || c == '/';
            if (!comment) {
                sql.m_bSeveral |= ended;
                sql.m_bEmpty = false;
                previous = text[pos + opaque - 1];
            }
            sql.m_strServerText.append(text.substr(pos, opaque));
            pos += opaque;
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            sql.m_strServerText += c;
            previous = ' ';
            ++pos;
            continue;
        }
        if (c == ';') {
            ended = !sql.m_bEmpty;
            sql.m_strServerText += c;
            previous = c;
            ++pos;
            continue;
        }
        sql.m_bSeveral |= ended;
        if (sql.m_bEmpty && IsWordChar(c)) {
            size_t end = pos;
            while (end < text.size() && IsWordChar(text[end]))
                ++end;
            sql.m_nType = TypeOf(text.substr(pos, end - pos));
        }
        if (c != '(')
            sql.m_bEmpty = false;
        const char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
        if (c == ':' && previous != ':' && next != ':' && !IsWordChar(previous) && previous != ']' &&
            previous != ')' && IsWordChar(next)) {
            size_t end = pos + 1;
            while (end < text.size() && IsWordChar(text[end]))
                ++end;
            sql.m_strServerText += "$" + std::to_string(++sql.m_nPlaceholders);
            previous = text[end - 1];
            pos = end;
            continue;
        }
        sql.m_strServerText += c;
        previous = c;
        ++pos;
    }
    return sql;
}

}  // namespace ocipg
