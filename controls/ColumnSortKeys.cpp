#include "controls/ColumnSortKeys.h"

#include <algorithm>

#include "controls/SortKeyCompare.h"

namespace controls {

namespace {

std::uint64_t FoldedPrefix(std::string_view text)
{
    std::uint64_t nPrefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c - 'A' + 'a');
        nPrefix = (nPrefix << 8) | c;
    }
    return nPrefix;
}

}  // namespace

ColumnSortKeys::ColumnSortKeys(ResultListContent& content, int column) : m_content(content)
{
    if (column < 0 || column >= content.ColumnCount())
        return;
    const int nRows = content.RowCount();
    m_arrKeys.reserve(static_cast<std::size_t>(nRows));
    for (int row = 0; row < nRows; ++row) {
        const std::string_view text = content.CellText(row, column);
        m_arrKeys.push_back({FoldedPrefix(text), text, static_cast<std::uint32_t>(row)});
    }
}

// Prefixes that differ order their texts as CompareSortKeys does: the first
// folded byte that differs decides, and a text that ended pads with 0.
bool ColumnSortKeys::Before(const Key& first, const Key& second)
{
    if (first.nPrefix != second.nPrefix)
        return first.nPrefix < second.nPrefix;
    // Both texts lie wholly in their equal prefixes: only a trailing zero
    // byte can tell them apart, and the shorter one comes first.
    if (first.strText.size() <= 8 && second.strText.size() <= 8)
        return first.strText.size() < second.strText.size();
    return CompareSortKeys(first.strText, second.strText) < 0;
}

void ColumnSortKeys::Sort(bool ascending)
{
    if (m_arrKeys.empty())
        return;
    if (ascending)
        std::stable_sort(m_arrKeys.begin(), m_arrKeys.end(), Before);
    else
        std::stable_sort(m_arrKeys.begin(), m_arrKeys.end(),
                         [](const Key& a, const Key& b) { return Before(b, a); });

    std::vector<std::uint32_t> positions;
    positions.reserve(m_arrKeys.size());
    for (const Key& key : m_arrKeys)
        positions.push_back(key.nRow);
    m_content.ReorderRows(positions);
    m_arrKeys.clear();
}

}  // namespace controls
