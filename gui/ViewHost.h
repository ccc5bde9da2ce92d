#pragma once

// What a view asks of the frame around it, so that the view needs to know no frame.

#include <QString>

#include <memory>

class QMenu;

class ViewHost {
public:
    virtual ~ViewHost() = default;

    // The context menu; each item runs its command as the frame's menus do.
    virtual std::unique_ptr<QMenu> LoadPopupMenu() = 0;
    // The window title: the document's title, then the program's name.
    virtual void OnUpdateFrameTitle(const QString& strDocTitle) = 0;
    // The start-up splash, shown until it closes itself.
    virtual void ShowSplash() = 0;
};
