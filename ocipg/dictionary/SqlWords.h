#pragma once

#include <functional>
#include <string_view>

namespace ocipg {

// A word of SQL text: a bare identifier or keyword, or a quoted identifier
// (without its quotes; a doubled quote inside stays doubled).
struct SqlWord {
    std::string_view strText;
    size_t nOffset;  // of the word, quotes included, in the statement
    size_t nLength;  // quotes included
    bool bQuoted;
};

// Calls onWord for each word of the statement in order, skipping string
// literals, dollar-quoted strings, comments and parameters.
void ForEachSqlWord(std::string_view statement, const std::function<void(const SqlWord&)>& onWord);

}  // namespace ocipg
