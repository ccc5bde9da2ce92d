#pragma once

#include "controls/ResultListContent.h"

#include <string>
#include <vector>

namespace controls {

// A result list as an operation fills it: the content, and the moments a
// window showing it must hear of (new columns, rows appended since the last
// Publish).
class ResultListSink {
public:
    virtual ~ResultListSink() = default;

    // No columns and no rows.
    virtual void Empty() = 0;
    // Replaces the columns; the list must hold no rows.
    virtual void SetColumns(std::vector<std::string> headers) = 0;
    // Returns the new row's index, or -1 when the content refused it.
    virtual int AppendRow(const std::vector<std::string>& cells) = 0;
    // Shows the rows appended since the last call.
    virtual void Publish() = 0;
    virtual const ResultListContent& Content() const = 0;
};

}  // namespace controls
