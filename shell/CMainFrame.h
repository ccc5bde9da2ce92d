#pragma once

// The main window: menus, toolbar, accelerators and status bar built from the command
// table, and the routing of each command to the view, then the frame, then the application.

#include "gui/CmdUI.h"
#include "gui/ViewHost.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class CLumidexView;
class QAction;
class QLabel;
class QMenu;

class CMainFrame : public QMainWindow, public ViewHost {
    Q_OBJECT
public:
    // nextTarget handles what neither the view nor the frame handles (the application).
    using CommandTarget = std::function<bool(int nId)>;

    explicit CMainFrame(CommandTarget nextTarget);
    ~CMainFrame() override;

    void SetView(CLumidexView* pView);
    CLumidexView* View() const { return m_pView; }

    // Runs a command as a menu item, a button or a key would: not when it is disabled.
    void OnCommand(int nId);
    void OnUpdateFrameTitle(const QString& strDocTitle) override;
    // Brings every action's enabled and checked state up to date.
    void UpdateCommandUI();

    QAction* Action(int nId) const;
    // Each item of the context menu runs as its command.
    std::unique_ptr<QMenu> LoadPopupMenu() override;
    void ShowSplash() override;
    QToolBar* ToolBar() const { return m_pToolBar; }

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnCreate();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    bool OnCmdMsg(int nId);
    bool OnUpdateCmdUI(CCmdUI& cmdUI);

    CommandTarget m_nextTarget;
    CLumidexView* m_pView = nullptr;
    std::map<int, QAction*> m_mapActions;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pMessagePane = nullptr;
};
