#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "controls/ResultListContent.h"

namespace controls {

// One sort of the result list by one column. The constructor reads every
// row's text in that column once; Sort compares only those keys and then
// reorders the rows (values move with their rows). Rows with equal keys keep
// their relative order. Short-lived: the content must not change between
// construction and Sort.
class ColumnSortKeys {
public:
    // A column that does not exist gives no keys; Sort then does nothing.
    ColumnSortKeys(ResultListContent& content, int column);

    void Sort(bool ascending);

private:
    struct Key {
        // The first eight bytes of the text, folded, most significant first
        // and padded with zeros: it decides most comparisons without
        // touching the text itself.
        std::uint64_t nPrefix;
        std::string_view strText;
        std::uint32_t nRow;
    };

    static bool Before(const Key& first, const Key& second);

    ResultListContent& m_content;
    std::vector<Key> m_arrKeys;
};

}  // namespace controls
