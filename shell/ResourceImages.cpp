#include "shell/ResourceImages.h"

#include <QBitmap>

namespace {

QPixmap Cut(const QString& strFile, int nIndex)
{
    return QPixmap(strFile).copy(nIndex * 16, 0, 16, 15);
}

}  // namespace

QPixmap ToolbarImage(int nIndex) { return Cut(":/images/toolbar128.png", nIndex); }

QPixmap TreeImage(int nIndex)
{
    QPixmap image = Cut(":/images/tree135.png", nIndex);
    image.setMask(image.createMaskFromColor(QColor(192, 192, 192)));
    return image;
}

QPixmap SplashBitmap() { return QPixmap(":/images/splash139.png"); }

QIcon MainIcon() { return QIcon(":/images/icon128.png"); }

QCursor HandCursor() { return QCursor(QPixmap(":/images/hand142.png"), 7, 1); }
