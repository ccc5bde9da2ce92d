#pragma once

// The report list of the form: a table view over the result-list model, with a column
// width of 100, uniform row heights and no row numbers.

#include "controls/ResultListModel.h"

#include <QTableView>

class CSortListCtrl : public QTableView {
    Q_OBJECT
public:
    explicit CSortListCtrl(QWidget* pParent = nullptr);

    CResultListModel& Model() { return m_model; }
    // The list's extended styles: grid lines and full-row selection.
    void SetGridAndFullRowSelect();

private:
    CResultListModel m_model;
};
