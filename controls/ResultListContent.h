#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace controls {

// What the result list shows: columns with header texts, rows of cell texts
// and one application value per row, kept apart from any widget so that a
// view can ask for just the cells it paints.
//
// Rows are stored once, in the order they were appended; the row index of
// every accessor is the row's place in the current order, which a sort
// changes (ReorderRows). A row's cells and its value always move together.
// A row lies in one of a few large blocks: one end offset per cell, then the
// cell texts side by side, so a million rows cost little more than their
// text and nothing of them is copied again as the list grows.
class ResultListContent {
public:
    ResultListContent() = default;
    ResultListContent(const ResultListContent&) = delete;
    ResultListContent& operator=(const ResultListContent&) = delete;

    // No columns and no rows.
    void Clear();

    // Replaces the columns and drops every row.
    void SetColumns(std::vector<std::string> headers);

    int ColumnCount() const { return static_cast<int>(m_arrHeaders.size()); }
    // Empty for a column that does not exist.
    const std::string& HeaderText(int column) const;

    // Appends one row after the last one of the current order. cells must
    // hold exactly ColumnCount() texts. Returns the new row's index, or -1
    // (nothing appended) when the cell count is wrong or the row would not
    // fit (more than 4 GiB of text in one row, or 2^31 - 1 rows).
    int AppendRow(const std::vector<std::string>& cells, std::int64_t value = 0);

    int RowCount() const { return static_cast<int>(m_arrOrder.size()); }

    // Valid until the next Clear, SetColumns or AppendRow; empty for a cell
    // that does not exist.
    std::string_view CellText(int row, int column) const;

    // 0 for a row that does not exist.
    std::int64_t RowValue(int row) const;
    bool SetRowValue(int row, std::int64_t value);

    // New row i is the row now at positions[i]. positions must hold every
    // current row index exactly once; otherwise nothing changes and the
    // result is false.
    bool ReorderRows(const std::vector<std::uint32_t>& positions);

private:
    struct TextBlock {
        std::unique_ptr<char[]> pData;
        std::size_t nSize = 0;
        std::size_t nUsed = 0;
    };
    struct StoredRow {
        std::uint32_t nBlock;
        std::uint32_t nOffset;
        std::int64_t nValue;
    };

    // Room for nBytes in one block; a new block when the last is too full.
    TextBlock& BlockWithRoom(std::size_t nBytes, std::uint32_t& nBlock);

    std::vector<std::string> m_arrHeaders;
    std::vector<TextBlock> m_arrBlocks;
    std::vector<StoredRow> m_arrRows;        // in append order
    std::vector<std::uint32_t> m_arrOrder;   // current order -> stored row
};

}  // namespace controls
