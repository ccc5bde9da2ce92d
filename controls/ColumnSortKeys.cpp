#include "controls/ColumnSortKeys.h"

#include <algorithm>

#include "controls/SortKeyCompare.h"

namespace controls {

ColumnSortKeys::ColumnSortKeys(ResultListContent& content, int column) : m_content(content)
{
    if (column < 0 || column >= content.ColumnCount())
        return;
    const int nRows = content.RowCount();
    m_arrKeys.reserve(static_cast<std::size_t>(nRows));
    for (int row = 0; row < nRows; ++row)
        m_arrKeys.push_back({content.CellText(row, column), static_cast<std::uint32_t>(row)});
}

void ColumnSortKeys::Sort(bool ascending)
{
    if (m_arrKeys.empty())
        return;
    if (ascending)
        std::stable_sort(m_arrKeys.begin(), m_arrKeys.end(), [](const Key& a, const Key& b) {
            return CompareSortKeys(a.strText, b.strText) < 0;
        });
    else
        std::stable_sort(m_arrKeys.begin(), m_arrKeys.end(), [](const Key& a, const Key& b) {
            return CompareSortKeys(b.strText, a.strText) < 0;
        });

    std::vector<std::uint32_t> positions;
    positions.reserve(m_arrKeys.size());
    for (const Key& key : m_arrKeys)
        positions.push_back(key.nRow);
    m_content.ReorderRows(positions);
    m_arrKeys.clear();
}

}  // namespace controls
