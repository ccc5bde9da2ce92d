#include "ocipg/dictionary/Dictionary.h"

#include "ocipg/dictionary/DictionaryViews.h"
#include "ocipg/dictionary/SqlWords.h"

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
    ForEachSqlWord(statement, [&](const SqlWord& word) {
        const std::string name = word.bQuoted ? std::string(word.strText) : Lower(word.strText);
        const DictionaryView* view = FindView(name);
        if (view && (m_bDbaViews || !view->bDbaOnly) && std::find(named.begin(), named.end(), view) == named.end())
            named.push_back(view);
    });
    std::string sql;
    for (const DictionaryView* view : named)
        sql += EnsureView(*view);
    return sql;
}

std::string Dictionary::RewriteQuery(std::string_view statement)
{
    bool first = true;
    bool query = false;
    std::string text;
    size_t copied = 0;
    ForEachSqlWord(statement, [&](const SqlWord& word) {
        if (first) {
            first = false;
            query = !word.bQuoted && (EqualsNoCase(word.strText, "select") || EqualsNoCase(word.strText, "with"));
        }
        if (!query || word.bQuoted)
            return;
        for (std::string_view reserved : kReservedColumns) {
            if (EqualsNoCase(word.strText, reserved)) {
                text.append(statement.substr(copied, word.nOffset - copied));
                text += '"';
                text += reserved;
                text += '"';
                copied = word.nOffset + word.nLength;
            }
        }
    });
    text.append(statement.substr(copied));
    return text;
}

}  // namespace ocipg
