#pragma once

// The result list's rows as Qt sees them: a table model over the compact content store.
// It answers only for the cells the view asks for, so a million rows cost nothing to show.
// Operations of the core fill it as a ResultListSink.

#include "controls/ResultListContent.h"
#include "controls/ResultListSink.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <string>
#include <vector>

class CResultListModel : public QAbstractTableModel, public controls::ResultListSink {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation,
                        int nRole = Qt::DisplayRole) const override;

    // No rows; the columns stay.
    void DeleteAllItems();
    // No columns and no rows.
    void DeleteAllColumns();
    // Both of the above, in that order.
    void Empty() override;
    void SetColumns(std::vector<std::string> arrHeaders) override;
    // Appends a row to the store; the view learns of it at the next Publish.
    int AppendRow(const std::vector<std::string>& arrCells) override;
    void Publish() override;

    // Orders all rows by one column's text; each row keeps its value.
    void SortColumn(int nColumn, bool bAscending);
    // The application value kept with each row (the list's item data).
    std::int64_t ItemData(int nRow) const { return m_content.RowValue(nRow); }
    bool SetItemData(int nRow, std::int64_t nValue) { return m_content.SetRowValue(nRow, nValue); }

    const controls::ResultListContent& Content() const override { return m_content; }

signals:
    // The columns were deleted or replaced.
    void ColumnsRecreated();

private:
    controls::ResultListContent m_content;
    int m_nPublishedRows = 0;
};
