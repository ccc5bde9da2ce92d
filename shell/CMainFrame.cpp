#include "shell/CMainFrame.h"

#include "browser/CLumidexView.h"
#include "gui/CommandMenus.h"
#include "gui/ResourceImages.h"
#include "res/CommandTable.h"
#include "res/resource.h"
#include "shell/CStartDialog.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

#include <functional>

namespace {

constexpr const char* kIndicators[] = {"CAP", "NUM", "SCRL"};

bool IsDeadKey(const QKeyEvent& event)
{
    const QKeySequence pressed(event.keyCombination());
    for (const DeadKey& key : DeadKeys())
        if (QKeySequence::fromString(QString::fromLatin1(key.pszKey), QKeySequence::PortableText) ==
            pressed)
            return true;
    return false;
}

}  // namespace

CMainFrame::CMainFrame(CommandTarget nextTarget) : m_nextTarget(std::move(nextTarget))
{
    OnUpdateFrameTitle(QStringLiteral("Untitled"));
    setWindowIcon(MainIcon());
    OnCreate();
    // As the framework does at idle time: the toolbar follows the state of the commands.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &CMainFrame::UpdateCommandUI);
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() { qApp->removeEventFilter(this); }

void CMainFrame::OnCreate()
{
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
}

void CMainFrame::CreateActions()
{
    for (const CommandInfo& command : Commands()) {
        QAction* pAction = MakeCommandAction(command, this);
        pAction->setCheckable(command.nId == ID_VIEW_TOOLBAR || command.nId == ID_VIEW_STATUS_BAR);
        const int nId = command.nId;
        connect(pAction, &QAction::triggered, this, [this, nId] { OnCommand(nId); });
        m_mapActions[nId] = pAction;
    }
    // The edit and pane keys belong to commands nobody handles; they stay disabled.
    for (const DeadKey& key : DeadKeys()) {
        auto* pAction = new QAction(this);
        pAction->setShortcut(
            QKeySequence::fromString(QString::fromLatin1(key.pszKey), QKeySequence::PortableText));
        pAction->setEnabled(false);
        addAction(pAction);
    }
}

void CMainFrame::CreateMenus()
{
    for (QMenu* pMenu : BuildMainMenu(*menuBar(), [this](int nId) { return Action(nId); }))
        connect(pMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
}

std::unique_ptr<QMenu> CMainFrame::LoadPopupMenu()
{
    return BuildPopupMenu(this, [this](int nId) { OnCommand(nId); });
}

void CMainFrame::ShowSplash()
{
    CStartDialog splash;
    splash.exec();
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = new QToolBar(this);
    m_pToolBar->setObjectName(QStringLiteral("AFX_IDW_TOOLBAR"));
    m_pToolBar->setIconSize(QSize(16, 15));
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pToolBar->setFloatable(true);
    m_pToolBar->setMovable(true);
    FillToolBar(*m_pToolBar, [this](int nId) { return Action(nId); });
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* pStatus = statusBar();
    pStatus->setObjectName(QStringLiteral("AFX_IDW_STATUS_BAR"));
    m_pMessagePane = new QLabel(QStringLiteral("For Help, press F1"), pStatus);
    pStatus->addWidget(m_pMessagePane, 1);
    // The lock-key panes keep their place; the platform does not tell the lock states.
    for (const char* pszIndicator : kIndicators) {
        auto* pPane = new QLabel(pStatus);
        pPane->setFrameShape(QFrame::Panel);
        pPane->setFrameShadow(QFrame::Sunken);
        pPane->setMinimumWidth(pPane->fontMetrics().horizontalAdvance(QString::fromLatin1(pszIndicator)) + 8);
        pPane->setObjectName(QString::fromLatin1(pszIndicator));
        pStatus->addPermanentWidget(pPane);
    }
}

void CMainFrame::OnUpdateFrameTitle(const QString& strDocTitle)
{
    setWindowTitle(strDocTitle + QStringLiteral(" - Lumidex"));
}

void CMainFrame::SetView(CLumidexView* pView)
{
    m_pView = pView;
    pView->SetHost(this);
    setCentralWidget(pView);
}

QAction* CMainFrame::Action(int nId) const
{
    const auto it = m_mapActions.find(nId);
    return it == m_mapActions.end() ? nullptr : it->second;
}

void CMainFrame::OnCommand(int nId)
{
    UpdateCommandUI();
    const QAction* pAction = Action(nId);
    if (!pAction || !pAction->isEnabled())
        return;
    if (!(m_pView && m_pView->OnCmdMsg(nId)) && !OnCmdMsg(nId))
        m_nextTarget(nId);
    UpdateCommandUI();
}

bool CMainFrame::OnCmdMsg(int nId)
{
    switch (nId) {
    case ID_APP_EXIT:
        close();
        return true;
    case ID_VIEW_TOOLBAR:
        m_pToolBar->setVisible(!m_pToolBar->isVisible());
        return true;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(!statusBar()->isVisible());
        return true;
    case ID_CONTEXT_HELP:
        QWhatsThis::enterWhatsThisMode();
        return true;
    case ID_HELP_FINDER:
    case ID_DEFAULT_HELP:
        return true;  // the program supplies no help file
    default:
        return false;
    }
}

bool CMainFrame::OnUpdateCmdUI(CCmdUI& cmdUI)
{
    switch (cmdUI.nId) {
    case ID_VIEW_TOOLBAR:
        cmdUI.SetCheck(m_pToolBar->isVisible());
        return true;
    case ID_VIEW_STATUS_BAR:
        cmdUI.SetCheck(statusBar()->isVisible());
        return true;
    case ID_APP_EXIT:
    case ID_CONTEXT_HELP:
    case ID_HELP_FINDER:
    case ID_DEFAULT_HELP:
    case ID_APP_ABOUT:
        return true;
    default:
        return false;
    }
}

void CMainFrame::UpdateCommandUI()
{
    for (const auto& [nId, pAction] : m_mapActions) {
        CCmdUI cmdUI;
        cmdUI.nId = nId;
        // A command nobody handles is disabled.
        if (!(m_pView && m_pView->OnUpdateCmdUI(cmdUI)) && !OnUpdateCmdUI(cmdUI))
            cmdUI.Enable(false);
        pAction->setEnabled(cmdUI.bEnabled);
        if (pAction->isCheckable())
            pAction->setChecked(cmdUI.bChecked);
    }
}

void CMainFrame::closeEvent(QCloseEvent* pEvent)
{
    if (m_pView)
        m_pView->OnDestroy();
    pEvent->accept();
}

bool CMainFrame::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    // The accelerators come before the controls: the edit keys do nothing in the form.
    if (pEvent->type() == QEvent::KeyPress || pEvent->type() == QEvent::ShortcutOverride) {
        auto* pWidget = qobject_cast<QWidget*>(pWatched);
        if (pWidget && pWidget->window() == this && IsDeadKey(*static_cast<QKeyEvent*>(pEvent))) {
            pEvent->accept();
            return true;
        }
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}
