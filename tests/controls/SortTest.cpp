#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "controls/ColumnSortKeys.h"
#include "controls/SortKeyCompare.h"

using namespace controls;

TEST(CompareSortKeys, OrderOfTexts)
{
    const struct {
        std::string_view first;
        std::string_view second;
        int expected;
    } cases[] = {
        {"abc", "ABD", -1}, {"AB", "ABC", -1}, {"", "\x01", -1}, {"", "", 0}, {"10", "9", -1}, {"abc", "ABC", 0},
        {"[", " ", 1}, {"`", "0", 1}, {"`", "a", -1}, {"Zeta", "alpha", 1}, {std::string_view("a\0b", 3), "a", 1},
        {"A_B", "AB", -1},     // '_' sorts before every letter, folded or not
        {"z", "\x80", -1},     // high bytes are unsigned and after everything
        {"\xC9", "\xE9", -1},  // and not folded
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareSortKeys(c.first, c.second), c.expected) << c.first << " vs " << c.second;
        EXPECT_EQ(CompareSortKeys(c.second, c.first), -c.expected) << c.second << " vs " << c.first;
    }
}

// The sort orders exactly as the key comparison does, whatever the texts' lengths, case,
// zero or high bytes; equal keys keep their current order both ways; every cell and
// value moves with its row; a column that is not there changes nothing.
TEST(ColumnSortKeys, AgreesWithTheKeyComparison)
{
    const char alphabet[] = {'a', 'A', 'b', 'B', '\0', '_', ' ', '\xE9', '\xC9', '9'};
    std::mt19937 random(12345);
    std::vector<std::string> texts(3000);
    ResultListContent content;
    content.SetColumns({"INDEX", "TEXT"});
    ColumnSortKeys(content, 1).Sort(true);  // no rows yet
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (auto length = random() % 13; length > 0; --length)
            texts[i] += alphabet[random() % sizeof alphabet];
        content.AppendRow({std::to_string(i), texts[i]}, static_cast<std::int64_t>(i));
    }
    std::vector<std::size_t> expected(texts.size());
    std::iota(expected.begin(), expected.end(), 0);
    for (bool bAscending : {true, false}) {
        ColumnSortKeys(content, 1).Sort(bAscending);
        ColumnSortKeys(content, 2).Sort(true);
        ColumnSortKeys(content, -1).Sort(false);
        std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
            const int n = CompareSortKeys(texts[a], texts[b]);
            return bAscending ? n < 0 : n > 0;
        });
        for (int row = 0; row < content.RowCount(); ++row) {
            const std::size_t index = expected[static_cast<std::size_t>(row)];
            ASSERT_EQ(content.RowValue(row), static_cast<std::int64_t>(index)) << row;
            ASSERT_EQ(content.CellText(row, 0), std::to_string(index)) << row;
        }
    }
}
