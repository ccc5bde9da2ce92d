#include "gui/CommandMenus.h"

#include "gui/ResourceImages.h"
#include "res/CommandTable.h"

#include <QAction>
#include <QMenuBar>
#include <QToolBar>

QAction* MakeCommandAction(const CommandInfo& command, QWidget* pOwner)
{
    auto* pAction = new QAction(pOwner);
    if (command.pszMenuText)
        pAction->setText(QString::fromLatin1(command.pszMenuText));
    if (command.pszKey) {
        pAction->setShortcut(
            QKeySequence::fromString(QString::fromLatin1(command.pszKey), QKeySequence::PortableText));
        pOwner->addAction(pAction);
    }
    if (command.pszPrompt)
        pAction->setStatusTip(QString::fromLatin1(command.pszPrompt));
    if (command.pszToolTip)
        pAction->setToolTip(QString::fromLatin1(command.pszToolTip));
    if (command.nToolbarImage >= 0)
        pAction->setIcon(ToolbarImage(command.nToolbarImage));
    return pAction;
}

std::vector<QMenu*> BuildMainMenu(QMenuBar& bar, const ActionLookup& action)
{
    std::vector<QMenu*> arrMenus;
    for (const MenuPopup& popup : MainMenu()) {
        QMenu* pMenu = bar.addMenu(QString::fromLatin1(popup.pszTitle));
        for (int nId : popup.items) {
            if (nId == 0)
                pMenu->addSeparator();
            else
                pMenu->addAction(action(nId));
        }
        arrMenus.push_back(pMenu);
    }
    return arrMenus;
}

void FillToolBar(QToolBar& bar, const ActionLookup& action)
{
    for (int nId : ToolbarButtons()) {
        if (nId == 0)
            bar.addSeparator();
        else
            bar.addAction(action(nId));
    }
}

std::unique_ptr<QMenu> BuildPopupMenu(const QObject* pContext, const std::function<void(int nId)>& onCommand)
{
    auto pMenu = std::make_unique<QMenu>(QStringLiteral("&Popup"));
    for (int nId : PopupMenu()) {
        if (nId == 0) {
            pMenu->addSeparator();
            continue;
        }
        QAction* pAction = pMenu->addAction(QString::fromLatin1(FindCommand(nId)->pszPopupText));
        pAction->setData(nId);
        QObject::connect(pAction, &QAction::triggered, pContext, [onCommand, nId] { onCommand(nId); });
    }
    return pMenu;
}
