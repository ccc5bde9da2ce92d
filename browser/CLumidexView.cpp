#include "browser/CLumidexView.h"

#include "document/LumidexDoc.h"
#include "gui/DialogUnits.h"
#include "gui/WebPages.h"
#include "res/resource.h"
#include "settings/Configuration.h"
#include "ui_IDD_LUMIDEX_FORM.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>
#include <QTreeWidget>

#include <algorithm>

namespace {

constexpr int kStartupDelayMs = 100;
constexpr int kTreeWidth = 300;
// About what the style puts around an item's image and text.
constexpr int kTreeItemMargin = 6;
constexpr int kMessageHeight = 20;

}  // namespace

const CLumidexView::CommandEntry CLumidexView::s_commandMap[] = {
    {ID_DATABASE_CONNECT, &CLumidexView::OnConnect},
    {ID_DATABASE_DISCONNECT, &CLumidexView::OnDisconnect},
    {ID_SETUP_CONFIGURATION, &CLumidexView::OnSetupConfiguration},
    {ID_HELP, &CLumidexView::OnHelp},
    {ID_LINKS_HOMEPAGE, &CLumidexView::OnLinksHomepage},
    {ID_LINKS_DOWNLOAD, &CLumidexView::OnLinksDownload},
    {ID_LINKS_ORACLE, &CLumidexView::OnLinksOracle},
    {ID_LINKS_TECHNET, &CLumidexView::OnLinksTechnet},
    {ID_LINKS_METALINK, &CLumidexView::OnLinksMetalink},
    {ID_LINKS_GOOGLE, &CLumidexView::OnLinksGoogle},
    {ID_FILE_SAVE_AS, &CLumidexView::OnSaveXmlData},
    {ID_FILE_SAVE_CSV, &CLumidexView::OnSaveCsvData},
    {ID_DATABASE_SQL, &CLumidexView::OnSqlStatement},
    {ID_DATABASE_VIEWDATA, &CLumidexView::OnViewData},
    {ID_DATABASE_REFRESH, &CLumidexView::OnRefresh},
};

const CLumidexView::UpdateEntry CLumidexView::s_updateMap[] = {
    {ID_DATABASE_DISCONNECT, &CLumidexView::OnUpdateNeedsConnection},
    {ID_DATABASE_CONNECT, &CLumidexView::OnUpdateConnect},
    {ID_FILE_SAVE_AS, &CLumidexView::OnUpdateNeedsConnection},
    {ID_DATABASE_VIEWDATA, &CLumidexView::OnUpdateNeedsConnection},
    {ID_DATABASE_SQL, &CLumidexView::OnUpdateNeedsConnection},
    {ID_FILE_SAVE_CSV, &CLumidexView::OnUpdateNeedsConnection},
    {ID_DATABASE_REFRESH, &CLumidexView::OnUpdateNeedsConnection},
};

CLumidexView::CLumidexView(CLumidexDoc& doc, QWidget* pParent)
    : QWidget(pParent), m_doc(doc), m_pForm(std::make_unique<Ui::IDD_LUMIDEX_FORM>())
{
    m_pForm->setupUi(this);
    ApplyDialogUnits(this);
    m_sizeForm = size();
    m_timerStartup.setInterval(kStartupDelayMs);
    connect(&m_timerStartup, &QTimer::timeout, this, [this] { OnTimer(IDT_STARTUP); });
    connect(m_pForm->IDC_TREE, &QTreeWidget::currentItemChanged, this, &CLumidexView::OnTreeSelChanged);
    for (QAbstractItemView* pControl : {static_cast<QAbstractItemView*>(m_pForm->IDC_TREE),
                                        static_cast<QAbstractItemView*>(m_pForm->IDC_RESULT_LIST)}) {
        pControl->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(pControl, &QWidget::customContextMenuRequested, this,
                &CLumidexView::OnListOrTreeRightClick);
    }
    // A right click leaves the tree's selection where it was; a name cut off
    // at the pane's edge shows whole in a tooltip.
    m_pForm->IDC_TREE->viewport()->installEventFilter(this);
    // The message line would keep Ctrl+E (end of line) from the statement window's command.
    m_pForm->IDC_MESSAGE->installEventFilter(this);
    // Names wider than the pane scroll it sideways, as the platform's tree does.
    m_pForm->IDC_TREE->header()->setStretchLastSection(false);
    m_pForm->IDC_TREE->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
}

bool CLumidexView::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pForm->IDC_MESSAGE && pEvent->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(pEvent)->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_E)) {
        pEvent->ignore();
        return true;
    }
    if (pWatched == m_pForm->IDC_TREE->viewport() && pEvent->type() == QEvent::ToolTip) {
        ShowCutNameTip(static_cast<QHelpEvent&>(*pEvent));
        return true;
    }
    if (pWatched == m_pForm->IDC_TREE->viewport() &&
        (pEvent->type() == QEvent::MouseButtonPress || pEvent->type() == QEvent::MouseButtonDblClick) &&
        static_cast<QMouseEvent*>(pEvent)->button() == Qt::RightButton)
        return true;
    return QWidget::eventFilter(pWatched, pEvent);
}

void CLumidexView::ShowCutNameTip(const QHelpEvent& event)
{
    QTreeWidget& tree = *m_pForm->IDC_TREE;
    const QTreeWidgetItem* pItem = tree.itemAt(event.pos());
    if (!pItem) {
        QToolTip::hideText();
        return;
    }
    // The cell spans the widest name; this one ends after its image and text.
    const QRect rcItem = tree.visualItemRect(pItem);
    const int nImage = pItem->icon(0).isNull() ? 0 : tree.iconSize().width() + kTreeItemMargin;
    const int nRight = rcItem.left() + nImage + tree.fontMetrics().horizontalAdvance(pItem->text(0)) + kTreeItemMargin;
    if (rcItem.left() < 0 || nRight > tree.viewport()->width())
        QToolTip::showText(event.globalPos(), pItem->text(0), tree.viewport(), rcItem);
    else
        QToolTip::hideText();
}

CLumidexView::~CLumidexView() = default;

void CLumidexView::DoDataExchange(bool bSaveAndValidate)
{
    m_pList = m_pForm->IDC_RESULT_LIST;
    m_pMessage = m_pForm->IDC_MESSAGE;
    m_pTree = m_pForm->IDC_TREE;
    if (bSaveAndValidate)
        m_strMessage = m_pMessage->text();
    else
        m_pMessage->setText(m_strMessage);
}

void CLumidexView::OnInitialUpdate()
{
    UpdateData(false);
    if (QWidget* pFrame = window(); pFrame != this)
        pFrame->adjustSize();
    m_timerStartup.start();
    m_doc.SetCommitMode(0);
    m_pList->SetGridAndFullRowSelect();
    BuildTree();
}

bool CLumidexView::OnCmdMsg(int nId)
{
    for (const CommandEntry& entry : s_commandMap) {
        if (entry.nId == nId) {
            (this->*entry.pfnHandler)();
            return true;
        }
    }
    return false;
}

bool CLumidexView::OnUpdateCmdUI(CCmdUI& cmdUI)
{
    for (const UpdateEntry& entry : s_updateMap) {
        if (entry.nId == cmdUI.nId) {
            (this->*entry.pfnHandler)(cmdUI);
            return true;
        }
    }
    for (const CommandEntry& entry : s_commandMap)
        if (entry.nId == cmdUI.nId)
            return true;
    return false;
}

void CLumidexView::resizeEvent(QResizeEvent* pEvent)
{
    OnSize(pEvent->size().width(), pEvent->size().height());
}

void CLumidexView::OnSize(int cx, int cy)
{
    // A fixed tree width and message height; no splitter, no minimum size.
    const int h = std::max(0, cy - kMessageHeight);
    m_pForm->IDC_TREE->setGeometry(0, 0, kTreeWidth, h);
    m_pForm->IDC_RESULT_LIST->setGeometry(kTreeWidth, 0, std::max(0, cx - kTreeWidth), h);
    m_pForm->IDC_MESSAGE->setGeometry(0, h, cx, kMessageHeight);
}

void CLumidexView::OnSetupConfiguration()
{
    Configuration dialog(window());
    dialog.exec();
}

void CLumidexView::OnHelp() { OpenWebPage(ID_HELP); }
void CLumidexView::OnLinksHomepage() { OpenWebPage(ID_LINKS_HOMEPAGE); }
void CLumidexView::OnLinksDownload() { OpenWebPage(ID_LINKS_DOWNLOAD); }
void CLumidexView::OnLinksOracle() { OpenWebPage(ID_LINKS_ORACLE); }
void CLumidexView::OnLinksTechnet() { OpenWebPage(ID_LINKS_TECHNET); }
void CLumidexView::OnLinksMetalink() { OpenWebPage(ID_LINKS_METALINK); }
void CLumidexView::OnLinksGoogle() { OpenWebPage(ID_LINKS_GOOGLE); }
