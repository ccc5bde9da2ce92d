#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <string_view>
#include <vector>

#include "controls/ColumnSortKeys.h"
#include "controls/SortKeyCompare.h"

using controls::ColumnSortKeys;
using controls::CompareSortKeys;
using controls::ResultListContent;

TEST(CompareSortKeys, OrderOfTexts)
{
    struct Case {
        std::string_view first;
        std::string_view second;
        int expected;
    };
    const Case cases[] = {
        {"abc", "ABD", -1},
        {"AB", "ABC", -1},
        {"A_B", "AB", -1},       // '_' sorts before every letter, folded or not
        {"", "\x01", -1},
        {"", "", 0},
        {"10", "9", -1},
        {"abc", "ABC", 0},
        {"[", " ", 1},
        {"`", "0", 1},
        {"`", "a", -1},
        {"z", "\x80", -1},       // high bytes are unsigned and after everything
        {"\xC9", "\xE9", -1},    // and not folded
        {"Zeta", "alpha", 1},
        {std::string_view("a\0b", 3), "a", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareSortKeys(c.first, c.second), c.expected) << c.first << " vs " << c.second;
        EXPECT_EQ(CompareSortKeys(c.second, c.first), -c.expected) << c.second << " vs " << c.first;
    }
}

namespace {

ResultListContent& Filled(ResultListContent& content)
{
    content.SetColumns({"NAME", "N"});
    const char* rows[][2] = {{"b", "2"}, {"A", "10"}, {"a", "9"}, {"", "1"}, {"B", "3"}};
    std::int64_t value = 100;
    for (const auto& row : rows)
        content.AppendRow({row[0], row[1]}, value++);
    return content;
}

std::string Column(const ResultListContent& content, int column)
{
    std::string joined;
    for (int row = 0; row < content.RowCount(); ++row)
        joined += std::string(content.CellText(row, column)) + "|";
    return joined;
}

}  // namespace

// Equal keys keep their order, both ways; every value moves with its row.
TEST(ColumnSortKeys, SortsStablyAndMovesValuesWithRows)
{
    ResultListContent content;
    Filled(content);

    ColumnSortKeys(content, 0).Sort(true);
    EXPECT_EQ(Column(content, 0), "|A|a|b|B|");
    EXPECT_EQ(Column(content, 1), "1|10|9|2|3|");
    for (int row = 0; row < content.RowCount(); ++row) {
        const std::string n(content.CellText(row, 1));
        const std::int64_t expected = n == "2" ? 100 : n == "10" ? 101 : n == "9" ? 102 : n == "1" ? 103 : 104;
        EXPECT_EQ(content.RowValue(row), expected) << n;
    }

    ColumnSortKeys(content, 0).Sort(false);
    EXPECT_EQ(Column(content, 0), "b|B|A|a||");

    ColumnSortKeys(content, 1).Sort(true);
    EXPECT_EQ(Column(content, 1), "1|10|2|3|9|");
    EXPECT_EQ(content.RowValue(4), 102);
}

TEST(ColumnSortKeys, EmptyListAndMissingColumnChangeNothing)
{
    ResultListContent empty;
    empty.SetColumns({"A"});
    ColumnSortKeys(empty, 0).Sort(true);
    EXPECT_EQ(empty.RowCount(), 0);

    ResultListContent content;
    Filled(content);
    ColumnSortKeys(content, 2).Sort(true);
    ColumnSortKeys(content, -1).Sort(false);
    EXPECT_EQ(Column(content, 0), "b|A|a||B|");
}

// The sort must order exactly as the key comparison does, whatever the
// texts' lengths, case, zero bytes or high bytes.
TEST(ColumnSortKeys, AgreesWithTheKeyComparison)
{
    const char alphabet[] = {'a', 'A', 'b', 'B', '\0', '_', ' ', '\xE9', '\xC9', '9'};
    std::vector<std::string> texts;
    unsigned seed = 12345;
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::string text;
        const unsigned length = (seed >> 16) % 13;
        for (unsigned k = 0; k < length; ++k) {
            seed = seed * 1103515245u + 12345u;
            text += alphabet[(seed >> 16) % sizeof alphabet];
        }
        texts.push_back(text);
    }
    for (bool ascending : {true, false}) {
        ResultListContent content;
        content.SetColumns({"T"});
        for (std::size_t i = 0; i < texts.size(); ++i)
            content.AppendRow({texts[i]}, static_cast<std::int64_t>(i));
        ColumnSortKeys(content, 0).Sort(ascending);

        std::vector<std::int64_t> expected(texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i)
            expected[i] = static_cast<std::int64_t>(i);
        std::stable_sort(expected.begin(), expected.end(), [&](std::int64_t a, std::int64_t b) {
            const int n = CompareSortKeys(texts[static_cast<std::size_t>(a)], texts[static_cast<std::size_t>(b)]);
            return ascending ? n < 0 : n > 0;
        });
        for (int row = 0; row < content.RowCount(); ++row)
            ASSERT_EQ(content.RowValue(row), expected[static_cast<std::size_t>(row)]) << row;
    }
}
