#include "controls/ResultListContent.h"

#include <cstring>
#include <limits>

namespace controls {

namespace {

// Large enough that a block costs one allocation per many rows, small enough
// that a short list does not hold much unused memory.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

const std::string kNoText;

}  // namespace

void ResultListContent::Clear()
{
    m_arrHeaders.clear();
    m_arrBlocks.clear();
    m_arrRows.clear();
    m_arrOrder.clear();
}

void ResultListContent::SetColumns(std::vector<std::string> headers)
{
    Clear();
    m_arrHeaders = std::move(headers);
}

const std::string& ResultListContent::HeaderText(int column) const
{
    if (column < 0 || column >= ColumnCount())
        return kNoText;
    return m_arrHeaders[static_cast<std::size_t>(column)];
}

ResultListContent::TextBlock& ResultListContent::BlockWithRoom(std::size_t nBytes,
                                                               std::uint32_t& nBlock)
{
    if (m_arrBlocks.empty() || m_arrBlocks.back().nSize - m_arrBlocks.back().nUsed < nBytes) {
        TextBlock block;
        block.nSize = nBytes > kBlockSize ? nBytes : kBlockSize;
        block.pData = std::make_unique_for_overwrite<char[]>(block.nSize);
        m_arrBlocks.push_back(std::move(block));
    }
    nBlock = static_cast<std::uint32_t>(m_arrBlocks.size() - 1);
    return m_arrBlocks.back();
}

int ResultListContent::AppendRow(const std::vector<std::string>& cells, std::int64_t value)
{
    if (cells.size() != m_arrHeaders.size())
        return -1;
    if (m_arrOrder.size() >= static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return -1;
    std::size_t nText = 0;
    for (const std::string& cell : cells) {
        nText += cell.size();
        if (nText > std::numeric_limits<std::uint32_t>::max())
            return -1;
    }
    const std::size_t nEnds = cells.size() * sizeof(std::uint32_t);

    std::uint32_t nBlock = 0;
    TextBlock& block = BlockWithRoom(nEnds + nText, nBlock);
    const std::size_t nStart = block.nUsed;
    // A row never straddles blocks, so its start fits 32 bits: it lies in a
    // block of kBlockSize, or it is the only row of a larger one.
    char* pEnds = block.pData.get() + nStart;
    char* pText = pEnds + nEnds;
    std::uint32_t nEnd = 0;
    for (const std::string& cell : cells) {
        if (!cell.empty())
            std::memcpy(pText + nEnd, cell.data(), cell.size());
        nEnd += static_cast<std::uint32_t>(cell.size());
        std::memcpy(pEnds, &nEnd, sizeof nEnd);
        pEnds += sizeof nEnd;
    }
    block.nUsed += nEnds + nText;

    m_arrRows.push_back({nBlock, static_cast<std::uint32_t>(nStart), value});
    m_arrOrder.push_back(static_cast<std::uint32_t>(m_arrRows.size() - 1));
    return RowCount() - 1;
}

std::string_view ResultListContent::CellText(int row, int column) const
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return {};
    const StoredRow& stored = m_arrRows[m_arrOrder[static_cast<std::size_t>(row)]];
    const char* pEnds = m_arrBlocks[stored.nBlock].pData.get() + stored.nOffset;
    const char* pText = pEnds + m_arrHeaders.size() * sizeof(std::uint32_t);
    std::uint32_t nBegin = 0;
    std::uint32_t nEnd = 0;
    if (column > 0)
        std::memcpy(&nBegin, pEnds + (static_cast<std::size_t>(column) - 1) * sizeof nBegin, sizeof nBegin);
    std::memcpy(&nEnd, pEnds + static_cast<std::size_t>(column) * sizeof nEnd, sizeof nEnd);
    return std::string_view(pText + nBegin, nEnd - nBegin);
}

std::int64_t ResultListContent::RowValue(int row) const
{
    if (row < 0 || row >= RowCount())
        return 0;
    return m_arrRows[m_arrOrder[static_cast<std::size_t>(row)]].nValue;
}

bool ResultListContent::SetRowValue(int row, std::int64_t value)
{
    if (row < 0 || row >= RowCount())
        return false;
    m_arrRows[m_arrOrder[static_cast<std::size_t>(row)]].nValue = value;
    return true;
}

bool ResultListContent::ReorderRows(const std::vector<std::uint32_t>& positions)
{
    if (positions.size() != m_arrOrder.size())
        return false;
    std::vector<bool> seen(positions.size(), false);
    for (std::uint32_t nPos : positions) {
        if (nPos >= positions.size() || seen[nPos])
            return false;
        seen[nPos] = true;
    }
    std::vector<std::uint32_t> order(positions.size());
    for (std::size_t i = 0; i < positions.size(); ++i)
        order[i] = m_arrOrder[positions[i]];
    m_arrOrder = std::move(order);
    return true;
}

}  // namespace controls
