#include "shell/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

namespace {

struct BaseUnits {
    int nX;
    int nY;
};

BaseUnits FontBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int nWidth = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(nWidth / 26 + 1) / 2, metrics.height()};
}

QRect ToPixels(const QRect& units, BaseUnits base)
{
    return {units.x() * base.nX / 4, units.y() * base.nY / 8, units.width() * base.nX / 4,
            units.height() * base.nY / 8};
}

}  // namespace

void ApplyDialogUnits(QWidget* pForm)
{
    const BaseUnits base = FontBaseUnits(pForm->font());
    for (QObject* pChild : pForm->children()) {
        auto* pWidget = qobject_cast<QWidget*>(pChild);
        if (pWidget && !pWidget->isWindow())
            pWidget->setGeometry(ToPixels(pWidget->geometry(), base));
    }
    pForm->resize(ToPixels(QRect(QPoint(), pForm->size()), base).size());
}
