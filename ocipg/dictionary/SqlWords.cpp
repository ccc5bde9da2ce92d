#include "ocipg/dictionary/SqlWords.h"

namespace ocipg {
namespace {

bool IsWordStart(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}

bool IsWordPart(unsigned char c)
{
    return IsWordStart(c) || (c >= '0' && c <= '9') || c == '$';
}

// Position after a text that ends with the first lone quote, a doubled quote
// being part of the text.
size_t SkipQuoted(std::string_view text, size_t at, char quote)
{
    while (at < text.size()) {
        if (text[at] != quote)
            ++at;
        else if (at + 1 < text.size() && text[at + 1] == quote)
            at += 2;
        else
            return at + 1;
    }
    return at;
}

// Position after the comment that starts at `at` ("/*", nested as PostgreSQL
// nests them).
size_t SkipBlockComment(std::string_view text, size_t at)
{
    int depth = 0;
    while (at < text.size()) {
        if (text.compare(at, 2, "/*") == 0) {
            ++depth;
            at += 2;
        } else if (text.compare(at, 2, "*/") == 0) {
            at += 2;
            if (--depth == 0)
                return at;
        } else {
            ++at;
        }
    }
    return at;
}

// Position after a dollar-quoted string or a parameter ($1) at `at`.
size_t SkipDollar(std::string_view text, size_t at)
{
    size_t end = at + 1;
    while (end < text.size() && IsWordPart(static_cast<unsigned char>(text[end])) && text[end] != '$')
        ++end;
    if (end >= text.size() || text[end] != '$' ||
        (end > at + 1 && !IsWordStart(static_cast<unsigned char>(text[at + 1]))))
        return end;  // a parameter, or a lone "$"
    const std::string_view tag = text.substr(at, end - at + 1);
    const size_t close = text.find(tag, end + 1);
    return close == std::string_view::npos ? text.size() : close + tag.size();
}

}  // namespace

void ForEachSqlWord(std::string_view statement, const std::function<void(const SqlWord&)>& onWord)
{
    size_t at = 0;
    while (at < statement.size()) {
        const unsigned char c = static_cast<unsigned char>(statement[at]);
        if (c == '\'') {
            at = SkipQuoted(statement, at + 1, '\'');
        } else if (c == '"') {
            const size_t end = SkipQuoted(statement, at + 1, '"');
            const size_t inner = end - at >= 2 ? end - at - 2 : 0;
            onWord({statement.substr(at + 1, inner), at, end - at, true});
            at = end;
        } else if (statement.compare(at, 2, "--") == 0) {
            const size_t end = statement.find('\n', at);
            at = end == std::string_view::npos ? statement.size() : end + 1;
        } else if (statement.compare(at, 2, "/*") == 0) {
            at = SkipBlockComment(statement, at);
        } else if (c == '$') {
            at = SkipDollar(statement, at);
        } else if (IsWordStart(c)) {
            size_t end = at + 1;
            while (end < statement.size() && IsWordPart(static_cast<unsigned char>(statement[end])))
                ++end;
            onWord({statement.substr(at, end - at), at, end - at, false});
            at = end;
        } else if (c >= '0' && c <= '9') {
            // A number, with what PostgreSQL reads as part of it (1e5, 0x1F).
            while (at < statement.size() && IsWordPart(static_cast<unsigned char>(statement[at])))
                ++at;
        } else {
            ++at;
        }
    }
}

}  // namespace ocipg
