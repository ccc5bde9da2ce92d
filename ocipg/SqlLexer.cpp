#include "ocipg/SqlLexer.h"

#include <cstring>

namespace ocipg {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsNewline(char c) { return c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsIdentStart(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u >= 0x80;
}

bool IsIdentCont(char c) { return IsIdentStart(c) || IsDigit(c) || c == '$'; }
bool IsOpChar(char c) { return c != '\0' && std::strchr("~!@#^&|`?+-*/%<>=", c); }

// How a quoted literal's body reads, from the lexer's states.
enum class Body {
    Standard,  // '' is a quote
    Escapes,   // E'': '' and backslash escapes
    Bits,      // B'', X'': the first quote ends it
};

class Lexer {
public:
    explicit Lexer(std::string_view text) : m_text(text) {}

    std::vector<SqlToken> Run()
    {
        std::vector<SqlToken> tokens;
        while (m_nPos < m_text.size()) {
            const size_t start = m_nPos;
            const SqlTokenKind kind = Next();
            tokens.push_back({kind, start, m_nPos - start});
        }
        return tokens;
    }

private:
    char At(size_t pos) const { return pos < m_text.size() ? m_text[pos] : '\0'; }
    bool StartsWith(size_t pos, std::string_view prefix) const { return m_text.substr(pos, prefix.size()) == prefix; }

    // One token from m_nPos, which it moves past the token.
    SqlTokenKind Next()
    {
        const char c = At(m_nPos);
        const char next = At(m_nPos + 1);
        if (IsSpace(c)) {
            while (IsSpace(At(m_nPos)))
                ++m_nPos;
            return SqlTokenKind::Blank;
        }
        if (c == '-' && next == '-') {
            while (m_nPos < m_text.size() && !IsNewline(m_text[m_nPos]))
                ++m_nPos;
            return SqlTokenKind::Comment;
        }
        if (c == '/' && next == '*') {
            SkipBlockComment();
            return SqlTokenKind::Comment;
        }
        if (IsIdentStart(c))
            return WordOrPrefixed();
        if (c == '"') {
            SkipQuotedName(m_nPos + 1);
            return SqlTokenKind::QuotedName;
        }
        if (c == '\'') {
            SkipLiteral(m_nPos + 1, Body::Standard);
            return SqlTokenKind::String;
        }
        if (c == '$')
            return Dollar();
        if (IsDigit(c) || (c == '.' && IsDigit(next))) {
            SkipNumber();
            return SqlTokenKind::Number;
        }
        if ((c == '.' && next == '.') || (c == ':' && next == ':')) {
            m_nPos += 2;
            return SqlTokenKind::Operator;
        }
        if (IsOpChar(c)) {
            // A comment start ends the operator.
            ++m_nPos;
            while (IsOpChar(At(m_nPos)) && !StartsWith(m_nPos, "--") && !StartsWith(m_nPos, "/*"))
                ++m_nPos;
            return SqlTokenKind::Operator;
        }
        ++m_nPos;
        return SqlTokenKind::Char;
    }

    // An identifier, or the letters that open a literal: B'', X'', N'',
    // E'', U&'' and U&"". A longer word is a word ("xe'" is xe, then '').
    SqlTokenKind WordOrPrefixed()
    {
        const char c = m_text[m_nPos];
        const char next = At(m_nPos + 1);
        if (next == '\'') {
            switch (c) {
            case 'b': case 'B': case 'x': case 'X':
                SkipLiteral(m_nPos + 2, Body::Bits);
                return SqlTokenKind::String;
            case 'e': case 'E':
                SkipLiteral(m_nPos + 2, Body::Escapes);
                return SqlTokenKind::String;
            case 'n': case 'N':
                SkipLiteral(m_nPos + 2, Body::Standard);
                return SqlTokenKind::String;
            default:
                break;
            }
        }
        if ((c == 'u' || c == 'U') && next == '&') {
            if (At(m_nPos + 2) == '\'') {
                SkipLiteral(m_nPos + 3, Body::Standard);
                return SqlTokenKind::String;
            }
            if (At(m_nPos + 2) == '"') {
                SkipQuotedName(m_nPos + 3);
                return SqlTokenKind::QuotedName;
            }
        }
        m_nPos = SkipIdentifier(m_nPos);
        return SqlTokenKind::Word;
    }

    size_t SkipIdentifier(size_t pos) const
    {
        while (IsIdentCont(At(pos)))
            ++pos;
        return pos;
    }

    void SkipBlockComment()
    {
        int depth = 0;
        while (m_nPos < m_text.size()) {
            if (StartsWith(m_nPos, "/*")) {
                ++depth;
                m_nPos += 2;
            } else if (StartsWith(m_nPos, "*/")) {
                m_nPos += 2;
                if (--depth == 0)
                    return;
            } else {
                ++m_nPos;
            }
        }
    }

    void SkipQuotedName(size_t pos)
    {
        while (pos < m_text.size()) {
            if (m_text[pos] != '"') {
                ++pos;
            } else if (At(pos + 1) == '"') {
                pos += 2;
            } else {
                m_nPos = pos + 1;
                return;
            }
        }
        m_nPos = pos;
    }

    // From the first character after the opening quote. A literal closed and
    // followed by blanks holding a line break, then a quote, goes on there
    // (SQL's continued literals), read as it was read before.
    void SkipLiteral(size_t pos, Body body)
    {
        while (pos < m_text.size()) {
            const char c = m_text[pos];
            if (c == '\\' && body == Body::Escapes) {
                pos += 2;
            } else if (c != '\'') {
                ++pos;
            } else if (body != Body::Bits && At(pos + 1) == '\'') {
                pos += 2;
            } else if (const size_t reopened = Continuation(pos + 1)) {
                pos = reopened;
            } else {
                m_nPos = pos + 1;
                return;
            }
        }
        m_nPos = m_text.size();
    }

    // The position after the quote that continues a literal closed just
    // before pos, or 0: blanks and -- comments without a line break, a line
    // break, then blanks and comments that end in a line break.
    size_t Continuation(size_t pos) const
    {
        while (At(pos) == ' ' || At(pos) == '\t' || At(pos) == '\f')
            ++pos;
        if (StartsWith(pos, "--")) {
            while (pos < m_text.size() && !IsNewline(m_text[pos]))
                ++pos;
        }
        if (!IsNewline(At(pos)))
            return 0;
        for (;;) {
            if (IsSpace(At(pos))) {
                ++pos;
            } else if (StartsWith(pos, "--")) {
                while (pos < m_text.size() && !IsNewline(m_text[pos]))
                    ++pos;
                if (pos == m_text.size())
                    return 0;
            } else {
                return At(pos) == '\'' ? pos + 1 : 0;
            }
        }
    }

    // $1 (a parameter), $tag$...$tag$, or a lone $.
    SqlTokenKind Dollar()
    {
        const size_t start = m_nPos;
        if (IsDigit(At(start + 1))) {
            size_t pos = start + 1;
            while (IsDigit(At(pos)))
                ++pos;
            m_nPos = IsIdentStart(At(pos)) ? SkipIdentifier(pos) : pos;
            return SqlTokenKind::Parameter;
        }
        size_t close = start + 1;
        if (IsIdentStart(At(close))) {
            while (IsIdentCont(At(close)) && At(close) != '$')
                ++close;
        }
        if (At(close) != '$') {
            m_nPos = start + 1;
            return SqlTokenKind::Char;
        }
        const std::string_view tag = m_text.substr(start, close + 1 - start);
        const size_t end = m_text.find(tag, close + 1);
        m_nPos = end == std::string_view::npos ? m_text.size() : end + tag.size();
        return SqlTokenKind::String;
    }

    // PostgreSQL 15 reads an identifier glued to a number as part of it (an
    // error there): 1abc, 0x1F, 1.e, 1e5x.
    void SkipNumber()
    {
        size_t pos = m_nPos;
        while (IsDigit(At(pos)))
            ++pos;
        if (At(pos) == '.' && At(pos + 1) != '.') {
            ++pos;
            while (IsDigit(At(pos)))
                ++pos;
        }
        if (At(pos) == 'e' || At(pos) == 'E') {
            size_t exponent = pos + 1;
            const bool sign = At(exponent) == '+' || At(exponent) == '-';
            if (sign)
                ++exponent;
            if (IsDigit(At(exponent))) {
                while (IsDigit(At(exponent)))
                    ++exponent;
                pos = exponent;
            } else if (sign) {
                m_nPos = exponent;  // 1e+ : an error of its own
                return;
            }
        }
        m_nPos = IsIdentStart(At(pos)) ? SkipIdentifier(pos) : pos;
    }

    std::string_view m_text;
    size_t m_nPos = 0;
};

}  // namespace

std::vector<SqlToken> LexSql(std::string_view text)
{
    return Lexer(text).Run();
}

}  // namespace ocipg
