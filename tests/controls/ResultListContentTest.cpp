#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/ResultListContent.h"

using controls::ResultListContent;

namespace {

std::vector<std::string> RowTexts(const ResultListContent& content, int row)
{
    std::vector<std::string> texts;
    for (int column = 0; column < content.ColumnCount(); ++column)
        texts.emplace_back(content.CellText(row, column));
    return texts;
}

}  // namespace

TEST(ResultListContent, KeepsCellsAndValuesOfEveryRow)
{
    ResultListContent content;
    content.SetColumns({"OWNER", "", "COUNT(*)"});
    EXPECT_EQ(content.AppendRow({"SCOTT", "", "14"}, 7), 0);
    EXPECT_EQ(content.AppendRow({"", "NULL", std::string("a\0b", 3)}, -3), 1);

    ASSERT_EQ(content.ColumnCount(), 3);
    EXPECT_EQ(content.HeaderText(2), "COUNT(*)");
    EXPECT_EQ(content.HeaderText(3), "");
    ASSERT_EQ(content.RowCount(), 2);
    EXPECT_EQ(RowTexts(content, 0), (std::vector<std::string>{"SCOTT", "", "14"}));
    EXPECT_EQ(RowTexts(content, 1), (std::vector<std::string>{"", "NULL", std::string("a\0b", 3)}));
    EXPECT_EQ(content.RowValue(0), 7);
    EXPECT_EQ(content.RowValue(1), -3);
    EXPECT_TRUE(content.SetRowValue(1, 42));
    EXPECT_EQ(content.RowValue(1), 42);
}

TEST(ResultListContent, RejectsBadInputWithoutLosingRows)
{
    ResultListContent content;
    content.SetColumns({"A", "B"});
    ASSERT_EQ(content.AppendRow({"1", "2"}), 0);

    EXPECT_EQ(content.AppendRow({"only one"}), -1);
    EXPECT_EQ(content.AppendRow({"1", "2", "3"}), -1);
    EXPECT_FALSE(content.SetRowValue(1, 5));
    EXPECT_EQ(content.CellText(1, 0), "");
    EXPECT_EQ(content.CellText(0, 2), "");
    EXPECT_EQ(content.CellText(-1, 0), "");
    EXPECT_EQ(content.RowValue(-1), 0);

    ASSERT_EQ(content.RowCount(), 1);
    EXPECT_EQ(RowTexts(content, 0), (std::vector<std::string>{"1", "2"}));
}

TEST(ResultListContent, ClearAndSetColumnsDropRows)
{
    ResultListContent content;
    content.SetColumns({"A"});
    content.AppendRow({"x"});
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

TEST(ResultListContent, ReorderRowsNeedsAPermutation)
{
    ResultListContent content;
    content.SetColumns({"A"});
    for (const char* text : {"a", "b", "c"})
        content.AppendRow({text});

    EXPECT_FALSE(content.ReorderRows({0, 1}));
    EXPECT_FALSE(content.ReorderRows({0, 0, 1}));
    EXPECT_FALSE(content.ReorderRows({0, 1, 3}));
    EXPECT_EQ(content.CellText(0, 0), "a");

    ASSERT_TRUE(content.ReorderRows({2, 0, 1}));
    EXPECT_EQ(content.CellText(0, 0), "c");
    EXPECT_EQ(content.CellText(1, 0), "a");
    ASSERT_TRUE(content.ReorderRows({2, 1, 0}));
    EXPECT_EQ(content.CellText(0, 0), "b");
    EXPECT_EQ(content.CellText(2, 0), "c");
    // Appended rows come after the current order.
    content.AppendRow({"d"});
    EXPECT_EQ(content.CellText(3, 0), "d");
}
