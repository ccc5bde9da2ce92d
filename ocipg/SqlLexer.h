#pragma once

// The token boundaries of a statement as PostgreSQL 15's own lexer draws them
// with standard_conforming_strings on (the connection pins it): where
// literals, quoted names, comments, words, numbers and parameters begin and
// end. Everything else the library reads from a statement's text reads it
// through this one lexer.

#include <cstddef>
#include <string_view>
#include <vector>

namespace ocipg {

enum class SqlTokenKind {
    Blank,       // spaces, tabs, line breaks, form feeds
    Comment,     // -- to the end of the line; /* */, nested
    Word,        // an identifier or keyword
    QuotedName,  // "..." or U&"..."
    String,      // '...', E'...', B'...', X'...', N'...', U&'...', $tag$...$tag$
    Number,      // with what PostgreSQL reads as glued to it (1e5, 1abc)
    Parameter,   // $1, with what is glued to it
    Operator,    // a run of operator characters; "::" and ".."
    Char,        // any other character: , ( ) [ ] . ; : $
};

struct SqlToken {
    SqlTokenKind m_kind;
    size_t m_nOffset;
    size_t m_nLength;  // at least 1; the tokens cover the text without gap
};

// A literal, quoted name or comment left open runs to the end of the text.
std::vector<SqlToken> LexSql(std::string_view text);

inline std::string_view TokenText(std::string_view text, const SqlToken& token)
{
    return text.substr(token.m_nOffset, token.m_nLength);
}

}  // namespace ocipg
