#include <gtest/gtest.h>

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
