#include "controls/CSortListCtrl.h"

#include "controls/CSortHeaderCtrl.h"

#include <QHeaderView>

namespace {

constexpr int kColumnWidth = 100;

}  // namespace

CSortListCtrl::CSortListCtrl(QWidget* pParent)
    : QTableView(pParent), m_pHeader(new CSortHeaderCtrl(this))
{
    setHorizontalHeader(m_pHeader);
    setModel(&m_model);
    // Qt reports only left clicks as clicks.
    connect(m_pHeader, &QHeaderView::sectionClicked, this,
            [this](int nSection) { OnHeaderItemClick(nSection, 0); });
    connect(&m_model, &CResultListModel::ColumnsRecreated, m_pHeader,
            &CSortHeaderCtrl::OnColumnsRecreated);
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

void CSortListCtrl::OnHeaderItemClick(int nItem, int nButton)
{
    if (nButton != 0)
        return;
    m_bAscending = nItem == m_nSortColumn ? !m_bAscending : true;
    m_nSortColumn = nItem;
    m_pHeader->SetSortImage(m_nSortColumn, m_bAscending);
    SortColumn(m_nSortColumn, m_bAscending);
}

void CSortListCtrl::SortColumn(int nColumn, bool bAscending) { m_model.SortColumn(nColumn, bAscending); }
