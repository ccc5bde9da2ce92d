#include "ocipg/dictionary/Dictionary.h"

#include "ocipg/SqlLexer.h"
#include "ocipg/dictionary/DictionaryViews.h"

#include <algorithm>
#include <vector>

namespace ocipg {
namespace {

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool EqualsNoCase(std::string_view word, std::string_view lower)
{
    return word.size() == lower.size() && Lower(word) == lower;
}

const DictionaryView* FindView(const std::string& name)
{
    for (const DictionaryView& view : DictionaryViews()) {
        if (view.strName == name)
            return &view;
    }
    return nullptr;
}

// Creates the view unless this session has it. The check runs every time: a
// view made inside a transaction that is rolled back is gone again, and an
// existing view must not be replaced while an open query reads it.
std::string EnsureView(const DictionaryView& view)
{
    return "DO $ocipg$BEGIN IF to_regclass('pg_temp." + view.strName + "') IS NULL THEN CREATE TEMP VIEW " +
           view.strName + " AS " + view.strQuery + "; END IF; END$ocipg$;\n";
}

// The name a word of the statement means: a bare word folds to lower case;
// a quoted one is what stands between its quotes.
bool NameOf(std::string_view statement, const SqlToken& token, std::string& name)
{
    const std::string_view text = TokenText(statement, token);
    if (token.m_kind == SqlTokenKind::Word) {
        name = Lower(text);
        return true;
    }
    if (token.m_kind != SqlTokenKind::QuotedName)
        return false;
    const size_t open = text.find('"') + 1;
    const size_t close = text.size() > open && text.back() == '"' ? text.size() - 1 : text.size();
    name = text.substr(open, close - open);
    return true;
}

// Dictionary columns that PostgreSQL reserves as keywords.
constexpr std::string_view kReservedColumns[] = {"deferrable"};

}  // namespace

std::string Dictionary::SetupSql()
{
    // Views come per statement (PrepareFor): making all of them costs each
    // logon far more than any session uses.
    return {};
}

std::string Dictionary::PrepareFor(std::string_view statement)
{
    std::vector<const DictionaryView*> named;
    std::string name;
    for (const SqlToken& token : LexSql(statement)) {
        if (!NameOf(statement, token, name))
            continue;
        const DictionaryView* view = FindView(name);
        if (view && (m_bDbaViews || !view->bDbaOnly) && std::find(named.begin(), named.end(), view) == named.end())
            named.push_back(view);
    }
    std::string sql;
    for (const DictionaryView* view : named)
        sql += EnsureView(*view);
    return sql;
}

std::string Dictionary::RewriteQuery(std::string_view statement)
{
    const std::vector<SqlToken> tokens = LexSql(statement);
    const auto first = std::find_if(tokens.begin(), tokens.end(), [](const SqlToken& token) {
        return token.m_kind == SqlTokenKind::Word || token.m_kind == SqlTokenKind::QuotedName;
    });
    if (first == tokens.end() || first->m_kind != SqlTokenKind::Word ||
        (!EqualsNoCase(TokenText(statement, *first), "select") && !EqualsNoCase(TokenText(statement, *first), "with")))
        return std::string(statement);
    std::string text;
    size_t copied = 0;
    for (const SqlToken& token : tokens) {
        if (token.m_kind != SqlTokenKind::Word)
            continue;
        for (std::string_view reserved : kReservedColumns) {
            if (EqualsNoCase(TokenText(statement, token), reserved)) {
                text.append(statement.substr(copied, token.m_nOffset - copied));
                // Blanks keep the quotes from joining what is around them:
                // u&deferrable is not U&"deferrable", deferrable"x" not "deferrable""x".
                const size_t end = token.m_nOffset + token.m_nLength;
                if (token.m_nOffset > 0 && (statement[token.m_nOffset - 1] == '&' || statement[token.m_nOffset - 1] == '"'))
                    text += ' ';
                text += '"';
                text += reserved;
                text += '"';
                if (end < statement.size() && statement[end] == '"')
                    text += ' ';
                copied = end;
            }
        }
    }
    text.append(statement.substr(copied));
    return text;
}

}  // namespace ocipg
