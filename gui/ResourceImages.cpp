#include "gui/ResourceImages.h"

#include <QBitmap>

// The pictures are compiled into the static GUI library, which the linker keeps only when
// asked for them by name.
static void InitLumidexResources() { Q_INIT_RESOURCE(lumidex); }

namespace {

QPixmap Load(const QString& strFile)
{
    static const bool s_bLoaded = (InitLumidexResources(), true);
    Q_UNUSED(s_bLoaded);
    return QPixmap(strFile);
}

QPixmap Cut(const QString& strFile, int nIndex) { return Load(strFile).copy(nIndex * 16, 0, 16, 15); }

}  // namespace

QPixmap ToolbarImage(int nIndex) { return Cut(":/images/toolbar128.png", nIndex); }

QPixmap TreeImage(int nIndex)
{
    QPixmap image = Cut(":/images/tree135.png", nIndex);
    image.setMask(image.createMaskFromColor(QColor(192, 192, 192)));
    return image;
}

QPixmap SplashBitmap() { return Load(":/images/splash139.png"); }

QIcon MainIcon() { return QIcon(Load(":/images/icon128.png")); }

QCursor HandCursor() { return QCursor(Load(":/images/hand142.png"), 7, 1); }
