#pragma once

// The actions, menus and toolbar buttons built from the command table (res/CommandTable.h).

#include <QMenu>

#include <functional>
#include <memory>
#include <vector>

struct CommandInfo;
class QAction;
class QMenuBar;
class QToolBar;
class QWidget;

// The action of one command, owned by pOwner: menu text, key (pressed anywhere in
// pOwner's window), prompt, tooltip and toolbar image, as the table gives them.
QAction* MakeCommandAction(const CommandInfo& command, QWidget* pOwner);

using ActionLookup = std::function<QAction*(int nId)>;

// Menu 128 on the menu bar, its items the actions of their ids; returns its pop-ups.
std::vector<QMenu*> BuildMainMenu(QMenuBar& bar, const ActionLookup& action);
// Toolbar 128's buttons.
void FillToolBar(QToolBar& bar, const ActionLookup& action);
// Menu 129's one pop-up, with its own texts; each item carries its command id as data
// and calls onCommand with it (while pContext lives).
std::unique_ptr<QMenu> BuildPopupMenu(const QObject* pContext, const std::function<void(int nId)>& onCommand);
