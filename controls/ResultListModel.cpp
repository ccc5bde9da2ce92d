#include "controls/ResultListModel.h"

#include "controls/ColumnSortKeys.h"

int CResultListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nPublishedRows;
}

int CResultListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_content.ColumnCount();
}

QVariant CResultListModel::data(const QModelIndex& index, int nRole) const
{
    if (nRole != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const std::string_view text = m_content.CellText(index.row(), index.column());
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant CResultListModel::headerData(int nSection, Qt::Orientation orientation, int nRole) const
{
    if (orientation != Qt::Horizontal || nRole != Qt::DisplayRole || nSection < 0 ||
        nSection >= m_content.ColumnCount())
        return {};
    return QString::fromLocal8Bit(m_content.HeaderText(nSection));
}

void CResultListModel::DeleteAllItems()
{
    beginResetModel();
    std::vector<std::string> arrHeaders;
    for (int i = 0; i < m_content.ColumnCount(); ++i)
        arrHeaders.push_back(m_content.HeaderText(i));
    m_content.SetColumns(std::move(arrHeaders));
    m_nPublishedRows = 0;
    endResetModel();
}

void CResultListModel::DeleteAllColumns()
{
    beginResetModel();
    m_content.Clear();
    m_nPublishedRows = 0;
    endResetModel();
    emit ColumnsRecreated();
}

void CResultListModel::Empty()
{
    DeleteAllItems();
    DeleteAllColumns();
}

void CResultListModel::SetColumns(std::vector<std::string> arrHeaders)
{
    beginResetModel();
    m_content.SetColumns(std::move(arrHeaders));
    m_nPublishedRows = 0;
    endResetModel();
    emit ColumnsRecreated();
}

int CResultListModel::AppendRow(const std::vector<std::string>& arrCells)
{
    return m_content.AppendRow(arrCells);
}

void CResultListModel::Publish()
{
    const int nRows = m_content.RowCount();
    if (nRows == m_nPublishedRows)
        return;
    beginInsertRows(QModelIndex(), m_nPublishedRows, nRows - 1);
    m_nPublishedRows = nRows;
    endInsertRows();
}

void CResultListModel::SortColumn(int nColumn, bool bAscending)
{
    emit layoutAboutToBeChanged();
    // Each row's value stands in for its old place during the sort, so that the view's
    // selection and current cell can follow their rows; the values are given back after.
    const int nRows = m_content.RowCount();
    std::vector<std::int64_t> arrValues(static_cast<std::size_t>(nRows));
    for (int i = 0; i < nRows; ++i) {
        arrValues[static_cast<std::size_t>(i)] = m_content.RowValue(i);
        m_content.SetRowValue(i, i);
    }
    controls::ColumnSortKeys keys(m_content, nColumn);
    keys.Sort(bAscending);
    std::vector<int> arrNewRow(static_cast<std::size_t>(nRows));
    for (int i = 0; i < nRows; ++i) {
        const auto nOld = static_cast<std::size_t>(m_content.RowValue(i));
        arrNewRow[nOld] = i;
        m_content.SetRowValue(i, arrValues[nOld]);
    }
    const QModelIndexList arrKept = persistentIndexList();
    QModelIndexList arrMoved;
    for (const QModelIndex& index : arrKept)
        arrMoved << (index.row() < nRows ? this->index(arrNewRow[static_cast<std::size_t>(index.row())],
                                                       index.column())
                                         : index);
    changePersistentIndexList(arrKept, arrMoved);
    emit layoutChanged();
}
