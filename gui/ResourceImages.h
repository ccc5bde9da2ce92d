#pragma once

// The pictures of res/images, by their resource ids.

#include <QCursor>
#include <QIcon>
#include <QPixmap>

QPixmap ToolbarImage(int nIndex);  // one 16 by 15 button of toolbar bitmap 128
QPixmap TreeImage(int nIndex);     // one 16 by 15 image of strip 135, light grey masked out
QPixmap SplashBitmap();            // bitmap 139
QIcon MainIcon();                  // icon 128
QCursor HandCursor();              // cursor 142
