#include "ocipg/SqlText.h"

#include "ocipg/OraError.h"
#include "ocipg/SqlLexer.h"

#include <vector>

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

ub2 TypeOf(std::string_view word)
{
    std::string upper(word);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    for (const Keyword& keyword : kKeywords)
        if (upper == keyword.m_szWord)
            return keyword.m_nType;
    return OCI_STMT_UNKNOWN;
}

bool Is(std::string_view text, const SqlToken& token, char c)
{
    return token.m_kind == SqlTokenKind::Char && text[token.m_nOffset] == c;
}

// Whether a ':' right after this token is part of something else: a[1:2],
// f(x):..., x:::y.
bool KeepsColon(std::string_view text, const SqlToken& previous)
{
    switch (previous.m_kind) {
    case SqlTokenKind::Word:
    case SqlTokenKind::Number:
        return true;
    case SqlTokenKind::Char:
        return Is(text, previous, ']') || Is(text, previous, ')') || Is(text, previous, ':');
    case SqlTokenKind::Operator:
        return text[previous.m_nOffset + previous.m_nLength - 1] == ':';
    default:
        return false;
    }
}

// A name, or a number of digits only: :1abc and :1e+ are not Oracle's, and
// $1 in their place would read differently.
bool IsPlaceholderName(std::string_view text, const SqlToken& token)
{
    return token.m_kind == SqlTokenKind::Word ||
           (token.m_kind == SqlTokenKind::Number &&
            TokenText(text, token).find_first_not_of("0123456789") == std::string_view::npos);
}

}  // namespace

SqlText ScanSql(std::string_view text)
{
    SqlText sql;
    sql.m_strServerText.reserve(text.size());
    const std::vector<SqlToken> tokens = LexSql(text);
    bool empty = true;   // nothing yet but blanks, comments and '('
    bool ended = false;  // a ';' has closed the first statement
    bool refused = text.find('\0') != std::string_view::npos;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& token = tokens[i];
        if (token.m_kind != SqlTokenKind::Blank && token.m_kind != SqlTokenKind::Comment) {
            refused |= ended || token.m_kind == SqlTokenKind::Parameter || Is(text, token, '$');
            ended |= Is(text, token, ';');
            if (empty && !ended && !Is(text, token, '(')) {
                empty = false;
                if (token.m_kind == SqlTokenKind::Word)
                    sql.m_nType = TypeOf(TokenText(text, token));
            }
        }
        if (Is(text, token, ':') && i + 1 < tokens.size() && IsPlaceholderName(text, tokens[i + 1]) &&
            (i == 0 || !KeepsColon(text, tokens[i - 1]))) {
            sql.m_strServerText += "$" + std::to_string(++sql.m_nPlaceholders);
            ++i;
            continue;
        }
        sql.m_strServerText.append(TokenText(text, token));
    }
    sql.m_nRefusal = refused ? kOraInvalidCharacter : empty ? kOraInvalidSql : 0;
    return sql;
}

}  // namespace ocipg
