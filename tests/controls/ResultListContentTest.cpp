#include <gtest/gtest.h>

#include "controls/ResultListContent.h"

using controls::ResultListContent;

static std::string Column(const ResultListContent& content, int column)
{
    std::string joined;
    for (int row = 0; row < content.RowCount(); ++row)
        joined += std::string(content.CellText(row, column)) + "|";
    return joined;
}

// Cells and values as given; bad input refused without losing rows; new columns drop them.
TEST(ResultListContent, KeepsRowsAndRefusesBadInput)
{
    ResultListContent content;
    content.SetColumns({"OWNER", "", "COUNT(*)"});
    EXPECT_EQ(content.AppendRow({"SCOTT", "", "14"}, 7), 0);
    EXPECT_EQ(content.AppendRow({"", "NULL", std::string("a\0b", 3)}, -3), 1);
    EXPECT_EQ(content.AppendRow({"only one"}), -1);
    EXPECT_EQ(content.AppendRow({"1", "2", "3", "4"}), -1);
    EXPECT_FALSE(content.SetRowValue(2, 5));
    EXPECT_TRUE(content.SetRowValue(1, -42));

    ASSERT_EQ(content.ColumnCount(), 3);
    ASSERT_EQ(content.RowCount(), 2);
    EXPECT_EQ(content.HeaderText(2), "COUNT(*)");
    EXPECT_EQ(content.HeaderText(3), "");
    EXPECT_EQ(Column(content, 0) + Column(content, 1) + Column(content, 2), std::string("SCOTT|||NULL|14|a\0b|", 20));
    EXPECT_EQ(content.RowValue(0), 7);
    EXPECT_EQ(content.RowValue(1), -42);
    EXPECT_EQ(content.RowValue(-1), 0);
    for (const auto& [row, column] : {std::pair{2, 0}, {0, 3}, {-1, 0}})
        EXPECT_EQ(content.CellText(row, column), "") << row << " " << column;

    content.SetColumns({"B", "C"});
    EXPECT_EQ(content.ColumnCount(), 2);
    EXPECT_EQ(content.RowCount(), 0);
    content.AppendRow({"y", "z"});
    content.Clear();
    EXPECT_EQ(content.ColumnCount(), 0);
    EXPECT_EQ(content.RowCount(), 0);
}

// Rows larger than a text block and many small rows across block borders.
TEST(ResultListContent, RowsSpanningManyBlocksReadBack)
{
    ResultListContent content;
    content.SetColumns({"N", "TEXT"});
    const std::string big(3 * 1024 * 1024, 'x');
    const int nRows = 200000;
    for (int i = 0; i < nRows; ++i) {
        const std::string text = i == 1000 ? big : std::string(static_cast<std::size_t>(i % 13), 'a' + i % 26);
        ASSERT_EQ(content.AppendRow({std::to_string(i), text}, i), i);
    }
    for (int i = 0; i < nRows; i += 997) {
        EXPECT_EQ(content.CellText(i, 0), std::to_string(i));
        EXPECT_EQ(content.CellText(i, 1).size(), i == 1000 ? big.size() : static_cast<std::size_t>(i % 13));
        EXPECT_EQ(content.RowValue(i), i);
    }
    EXPECT_EQ(content.CellText(1000, 1), big);
    EXPECT_EQ(content.CellText(1001, 0), "1001");
}

// Positions index the current order; rows appended later come after it.
TEST(ResultListContent, ReorderRowsNeedsAPermutation)
{
    ResultListContent content;
    content.SetColumns({"A"});
    for (const char* text : {"a", "b", "c"})
        content.AppendRow({text});
    for (const std::vector<std::uint32_t>& positions : {std::vector<std::uint32_t>{0, 1}, {0, 0, 1}, {0, 1, 3}})
        EXPECT_FALSE(content.ReorderRows(positions));
    EXPECT_EQ(Column(content, 0), "a|b|c|");
    ASSERT_TRUE(content.ReorderRows({2, 0, 1}));
    ASSERT_TRUE(content.ReorderRows({2, 1, 0}));
    content.AppendRow({"d"});
    EXPECT_EQ(Column(content, 0), "b|a|c|d|");
}
