#include "controls/CSortListCtrl.h"

#include <QHeaderView>

namespace {

constexpr int kColumnWidth = 100;

}  // namespace

CSortListCtrl::CSortListCtrl(QWidget* pParent) : QTableView(pParent)
{
    setModel(&m_model);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // One fixed height for every row keeps the view from measuring rows it never shows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->hide();
}

void CSortListCtrl::SetGridAndFullRowSelect()
{
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
}
