#pragma once

// The report list of the form: a table view over the result-list model, with a column
// width of 100, uniform row heights and no row numbers. A left click on a header sorts
// the rows by that column's text; a second click on it reverses the order.

#include "controls/ResultListModel.h"

#include <QTableView>

class CSortHeaderCtrl;

class CSortListCtrl : public QTableView {
    Q_OBJECT
public:
    explicit CSortListCtrl(QWidget* pParent = nullptr);

    CResultListModel& Model() { return m_model; }
    CSortHeaderCtrl& Header() { return *m_pHeader; }
    // The list's extended styles: grid lines and full-row selection.
    void SetGridAndFullRowSelect();

    // nButton 0 is the left button; any other does nothing.
    void OnHeaderItemClick(int nItem, int nButton);
    void SortColumn(int nColumn, bool bAscending);

private:
    int m_nSortColumn = -1;
    bool m_bAscending = true;
    CSortHeaderCtrl* m_pHeader;
    CResultListModel m_model;
};
