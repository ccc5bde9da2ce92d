// The statement scanner: PostgreSQL 15's token boundaries, the text the server gets, the statement type.

#include "ocipg/OraError.h"
#include "ocipg/SqlLexer.h"
#include "ocipg/SqlText.h"

#include <gtest/gtest.h>

namespace {

// The tokens of a text other than blanks, as "kind:text" (that they cover it without gap: fuzz/SqlTextFuzz.cpp).
std::vector<std::string> Tokens(std::string_view text)
{
    static const char* const kNames[] = {"blank", "comment", "word", "name", "string",
                                         "number", "param", "op", "char"};
    std::vector<std::string> tokens;
    for (const ocipg::SqlToken& token : ocipg::LexSql(text))
        if (token.m_kind != ocipg::SqlTokenKind::Blank)
            tokens.push_back(std::string(kNames[static_cast<int>(token.m_kind)]) + ":" +
                             std::string(ocipg::TokenText(text, token)));
    return tokens;
}

TEST(SqlLexer, DrawsPostgresqlsTokenBoundaries)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        // E, B, X, N and U& open a literal only standing alone before the quote.
        {"xe'a\\'", {"word:xe", "string:'a\\'"}},
        {"e'a\\'b' E'a''b'", {"string:e'a\\'b'", "string:E'a''b'"}},
        {"b'01''10' x'1F'", {"string:b'01'", "string:'10'", "string:x'1F'"}},
        {"n'x' u&'x' U&\"x\" u&x", {"string:n'x'", "string:u&'x'", "name:U&\"x\"", "word:u", "op:&", "word:x"}},
        {"\"a\"\"b\" \"", {"name:\"a\"\"b\"", "name:\""}},
        // Continued literals read on as they began: after a line break, -- comments between, block comments not.
        {"e'a'\n-- c\n'\\'b'", {"string:e'a'\n-- c\n'\\'b'"}},
        {"e'a' -- c\n'b'", {"string:e'a' -- c\n'b'"}},
        {"'a' '\\'", {"string:'a'", "string:'\\'"}},
        {"e'a' /**/\n'b'", {"string:e'a'", "comment:/**/", "string:'b'"}},
        {"'a'\n-- end", {"string:'a'", "comment:-- end"}},
        // Dollar quotes: not inside a name, not a parameter; after a number they start.
        {"a$x$ $x$ y $x$", {"word:a$x$", "string:$x$ y $x$"}},
        {"$1 $1a$b $ $x $$", {"param:$1", "param:$1a$b", "char:$", "char:$", "word:x", "string:$$"}},
        {"$a$ $ab$ $a$ $$$a$", {"string:$a$ $ab$ $a$", "string:$$$a$"}},
        {"1$x$;$x$", {"number:1", "string:$x$;$x$"}},
        // A name glued to a number is part of it (an error for the server).
        {"1a$x$;", {"number:1a$x$", "char:;"}},
        {"1.e .5x 1e5 1e+ 1..2 0x1F", {"number:1.e", "number:.5x", "number:1e5", "number:1e+", "number:1",
                                        "op:..", "number:2", "number:0x1F"}},
        // Comments: -- ends at a line feed or a carriage return; /* */ nest.
        {"--a\rb", {"comment:--a", "word:b"}},
        {"/* /* */ x */y", {"comment:/* /* */ x */", "word:y"}},
        {"+/*c*/-- d", {"op:+", "comment:/*c*/", "comment:-- d"}},
        {"a::b := :c", {"word:a", "op:::", "word:b", "char::", "op:=", "char::", "word:c"}},
        {"/* open", {"comment:/* open"}},
        {"\v", {"char:\v"}},
    };
    for (const auto& [text, tokens] : cases)
        EXPECT_EQ(Tokens(text), tokens) << text;
}

struct ScanCase {
    std::string strText;
    sb4 nRefusal;
    const char* pszServerText;  // null: the text unchanged
    int nPlaceholders;
    ub2 nType = OCI_STMT_SELECT;
};

TEST(SqlText, PlaceholdersRefusalsAndType)
{
    const ScanCase cases[] = {
        {"select :a, :1, :a$b, :ü from t where x = :b", 0, "select $1, $2, $3, $4 from t where x = $5", 5},
        // Not placeholders: casts, slices, assignments, and inside literals, names, comments.
        {"select x::int, a[1:2], a[i:j], f(x):y, x := 1, : a, :1e+x, :1.5, :1abc", 0, nullptr, 0},
        {"select ':a' || \":b\" -- :c\n /* :d */ from t where y = :e", 0,
         "select ':a' || \":b\" -- :c\n /* :d */ from t where y = $1", 1},
        {"select xe'\\', :a", 0, "select xe'\\', $1", 1},
        {"select e'\\':a', :b", 0, "select e'\\':a', $1", 1},
        {"select $$ :a ; $$, :b", 0, "select $$ :a ; $$, $1", 1},
        {"select a$x$, :a, $x$", 0, "select a$x$, $1, $x$", 1},
        {"select 1$x$ :a; $x$, :b", 0, "select 1$x$ :a; $x$, $1", 1},
        {":a", 0, "$1", 1, OCI_STMT_UNKNOWN},
        // One statement, a trailing ';' allowed.
        {"select 'a''b;', \"c\"\";\" from t;", 0, nullptr, 0},
        {"select 1; -- done\n", 0, nullptr, 0},
        {" -- only\n /* comments */ ", ocipg::kOraInvalidSql, nullptr, 0},
        {";", ocipg::kOraInvalidSql, nullptr, 0},
        // The type from the leading keyword.
        {"(select 1)", 0, nullptr, 0},
        {" -- c\r /* d */ With x as (select 1) select * from x", 0, nullptr, 0},
        {"merge into t using s on (true) when matched then delete", 0, nullptr, 0, OCI_STMT_MERGE},
        {"\"select\" 1", 0, nullptr, 0, OCI_STMT_UNKNOWN},
        {"selectx", 0, nullptr, 0, OCI_STMT_UNKNOWN},
        {"e'select'", 0, nullptr, 0, OCI_STMT_UNKNOWN},
        // One statement for the server's extended protocol too (standard strings, as the library connects).
        {"select e'a'\n'\\'; select 2 --'", 0, nullptr, 0},
        {"select 'a' \n'b; select 2'", 0, nullptr, 0},
        {"select 'a;' as \"b;\" /* ; /* ; */ ; */ -- ;", 0, nullptr, 0},
        {"select $x$; select 2$x$", 0, nullptr, 0},
        {"select 1$x$; select 2$x$", 0, nullptr, 0},
    };
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.strText);
        const ocipg::SqlText sql = ocipg::ScanSql(c.strText);
        EXPECT_EQ(sql.m_nRefusal, c.nRefusal);
        if (c.nRefusal)
            continue;
        EXPECT_EQ(sql.m_strServerText, c.pszServerText ? c.pszServerText : c.strText);
        EXPECT_EQ(sql.m_nPlaceholders, c.nPlaceholders);
        EXPECT_EQ(sql.m_nType, c.nType);
    }
    // Second statements that hide from a lesser scanner (those from "select e'a' || " on: as the server's extended
    // protocol sees them too), PostgreSQL's own parameters.
    const std::string twoStatements[] = {"select e'a' /* */\n'\\'; select 2 --'", "select 1a$x$; select 2 $x$",
                                         "select 1;;", "; select 1", "select $1", "select $:a",
                                         std::string("select 1\0", 9), "select e'a' || '\\'; select 2 --'",
                                         "select e'\\\\'; select 2 --'", "select 'a\\'; select 2 --'",
                                         "select 1 -- x\r; select 2", "select 1 /* ; /* ; */ ; */ ; select 2",
                                         "select xe'\\'; select 2 --'", "select a$x$; select '$x$'",
                                         "select u&'\\0061;'; select 2"};
    for (const std::string& text : twoStatements)
        EXPECT_EQ(ocipg::ScanSql(text).m_nRefusal, ocipg::kOraInvalidCharacter) << text;
}

}  // namespace
