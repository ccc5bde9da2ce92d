#pragma once

// Running one statement into the result list: the rows of a query, or the
// count of rows a statement changed, and the text the message line gets.

#include "controls/ResultListSink.h"

#include <functional>
#include <string>

class CLumidexDoc;

namespace document {

inline constexpr int kRowsBeforeQuestion = 1000;
inline constexpr const char* kReadAllQuestion = "You have read 1000 rows do you want to read all?";

// Asked once, when the first 1000 rows are shown: true reads the rest.
using ReadAllQuestion = std::function<bool()>;

// Empties the list, runs the statement and fills the list with its rows;
// returns the message line's text.
std::string RunQueryToList(CLumidexDoc& doc, const std::string& statement,
                           controls::ResultListSink& list, const ReadAllQuestion& readAll);

}  // namespace document
