// The schema tree of the view: its fixed nodes, the router that turns a selection into a
// listing, the catalog listings that fill scope nodes with object nodes, a table's
// columns and rows, the context menu and Refresh.

#include "browser/CLumidexView.h"
#include "browser/CatalogQueryTable.h"
#include "browser/ObjectStatements.h"
#include "controls/CSortListCtrl.h"
#include "gui/ResourceImages.h"
#include "gui/ViewHost.h"
#include "res/resource.h"

#include <QCursor>
#include <QMenu>
#include <QTreeWidget>

#include <string>

namespace {

struct CategoryNode {
    const char* pszText;
    int nImage;
};

// In tree order; every category but "Users" has a "User" and an "All" node.
constexpr CategoryNode kCategoryNodes[] = {
    {"Tables", 0},     {"Views", 4},    {"Indexes", 7},      {"Procedures", 5}, {"Triggers", 8},
    {"Sequenses", 9},  {"Synonyms", 11}, {"Constraints", 10}, {"DBLinks", 6},    {"Users", 3},
};
constexpr const char* kUsers = "Users";
constexpr int kRootImage = 1;
constexpr int kUserImage = 2;
constexpr int kAllImage = 3;

QTreeWidgetItem* AppendNode(QTreeWidgetItem* pParent, const QString& strText, int nImage)
{
    auto* pItem = new QTreeWidgetItem(pParent, QStringList(strText));
    pItem->setIcon(0, QIcon(TreeImage(nImage)));
    return pItem;
}

QString Text(const QTreeWidgetItem* pItem) { return pItem ? pItem->text(0) : QString(); }

// The texts of the selected node, its parent and its grandparent; empty where missing.
struct SelectionTexts {
    QString S, P, G;
};

SelectionTexts SelectedTexts(const QTreeWidget& tree)
{
    const QTreeWidgetItem* pItem = tree.currentItem();
    const QTreeWidgetItem* pParent = pItem ? pItem->parent() : nullptr;
    const QTreeWidgetItem* pGrand = pParent ? pParent->parent() : nullptr;
    return {Text(pItem), Text(pParent), Text(pGrand)};
}

bool IsScope(const QString& strText)
{
    return strText == QLatin1String(browser::kScopeAll) || strText == QLatin1String(browser::kScopeUser);
}

// An object node listed under a table or view scope node.
bool IsTableOrView(const SelectionTexts& texts)
{
    return IsScope(texts.P) && (texts.G == QLatin1String("Tables") || texts.G == QLatin1String("Views"));
}

std::string Local(const QString& strText) { return strText.toLocal8Bit().toStdString(); }

// An object node keeps the owner and name it was listed with, byte for byte:
// its label joins them with a "." and so cannot be split back.
constexpr int kOwnerRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

std::string ObjectPart(const QTreeWidgetItem& object, int nRole)
{
    return object.data(0, nRole).toByteArray().toStdString();
}

}  // namespace

void CLumidexView::BuildTree()
{
    QTreeWidget& tree = *m_pTree;
    tree.setIconSize(QSize(16, 15));
    m_hRoot = new QTreeWidgetItem(&tree, QStringList(QStringLiteral("Database")));
    m_hRoot->setIcon(0, QIcon(TreeImage(kRootImage)));
    int nScoped = 0;
    for (int i = 0; i < kCategories; ++i) {
        const CategoryNode& category = kCategoryNodes[i];
        m_arrCategoryNodes[i] = AppendNode(m_hRoot, QString::fromLatin1(category.pszText), category.nImage);
        if (std::string_view(category.pszText) == kUsers)
            continue;
        m_arrUserNodes[nScoped] = AppendNode(m_arrCategoryNodes[i], QLatin1String(browser::kScopeUser), kUserImage);
        m_arrAllNodes[nScoped] = AppendNode(m_arrCategoryNodes[i], QLatin1String(browser::kScopeAll), kAllImage);
        ++nScoped;
    }
    m_hRoot->setExpanded(true);
}

QTreeWidgetItem* CLumidexView::NodeOfRow(const browser::CatalogCategory& row) const
{
    int nScoped = 0;
    for (int i = 0; i < kCategories; ++i) {
        const bool bUsers = std::string_view(kCategoryNodes[i].pszText) == kUsers;
        if (std::string_view(kCategoryNodes[i].pszText) == row.pszCategory) {
            if (bUsers)
                return m_arrCategoryNodes[i];
            return row.pszScope == browser::kScopeAll ? m_arrAllNodes[nScoped] : m_arrUserNodes[nScoped];
        }
        if (!bUsers)
            ++nScoped;
    }
    return nullptr;
}

void CLumidexView::OnTreeSelChanged() { RouteTreeSelection(); }

void CLumidexView::RouteTreeSelection()
{
    // By texts alone: an object node is known by its parent's and grandparent's texts, so
    // an object called "All" never starts a category listing.
    const SelectionTexts texts = SelectedTexts(*m_pTree);
    const browser::CatalogCategory* pRow = nullptr;
    if (IsScope(texts.S))
        pRow = browser::FindCatalogCategory(Local(texts.P), Local(texts.S));
    else if (texts.S == QLatin1String(kUsers) && texts.P == QLatin1String("Database"))
        pRow = browser::FindCatalogCategory(kUsers, "");
    if (pRow)
        ListCategory(*pRow);
    else if (IsTableOrView(texts))
        ShowTableColumns(*m_pTree->currentItem());
}

void CLumidexView::ListCategory(const browser::CatalogCategory& row)
{
    RunQueryToList(QString::fromLatin1(row.pszStatement));

    QTreeWidgetItem* pNode = NodeOfRow(row);
    if (!pNode)
        return;
    qDeleteAll(pNode->takeChildren());
    const controls::ResultListContent& content = m_pList->Model().Content();
    const QIcon image(TreeImage(row.nObjectImage));
    for (int i = 0; i < content.RowCount(); ++i) {
        const std::string_view strName = content.CellText(i, 0);
        const std::string_view strOwner = row.bOwnerColumn ? content.CellText(i, 1) : "";
        const std::string strLabel = browser::ObjectLabel(row, strName, strOwner);
        auto* pItem = new QTreeWidgetItem(pNode, QStringList(QString::fromLocal8Bit(strLabel)));
        pItem->setIcon(0, image);
        pItem->setData(0, kOwnerRole, QByteArray(strOwner.data(), static_cast<qsizetype>(strOwner.size())));
        pItem->setData(0, kNameRole, QByteArray(strName.data(), static_cast<qsizetype>(strName.size())));
    }
    pNode->setExpanded(true);
}

void CLumidexView::ShowTableColumns(const QTreeWidgetItem& object)
{
    RunQueryToList(QString::fromLocal8Bit(
        browser::TableColumnsStatement(ObjectPart(object, kOwnerRole), ObjectPart(object, kNameRole))));
}

void CLumidexView::ShowTableData(const QTreeWidgetItem& object)
{
    RunQueryToList(QString::fromLocal8Bit(
        browser::TableDataStatement(ObjectPart(object, kOwnerRole), ObjectPart(object, kNameRole))));
}

void CLumidexView::OnViewData()
{
    const SelectionTexts texts = SelectedTexts(*m_pTree);
    if (IsTableOrView(texts))
        ShowTableData(*m_pTree->currentItem());
}

void CLumidexView::OnRefresh() { RouteTreeSelection(); }

void CLumidexView::OnListOrTreeRightClick()
{
    if (!m_pHost)
        return;
    const QPoint point = QCursor::pos();
    std::unique_ptr<QMenu> pMenu = m_pHost->LoadPopupMenu();
    for (QAction* pAction : pMenu->actions()) {
        const int nId = pAction->data().toInt();
        const bool bGray = m_bConnected ? nId == ID_DATABASE_CONNECT
                                        : nId == ID_DATABASE_REFRESH || nId == ID_DATABASE_VIEWDATA ||
                                              nId == ID_FILE_SAVE_AS || nId == ID_DATABASE_DISCONNECT;
        if (bGray)
            pAction->setEnabled(false);
    }
    pMenu->exec(point);
}
