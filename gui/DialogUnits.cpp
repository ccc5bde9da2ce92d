#include "gui/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

namespace {

struct BaseUnits {
    double dX;
    double dY;
};

BaseUnits FontBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int nWidth = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // Kept unrounded: a wide Linux font loses whole pixels per character otherwise.
    return {nWidth / 52.0, static_cast<double>(metrics.height())};
}

QRect ToPixels(const QRect& units, BaseUnits base)
{
    const auto x = [&](int n) { return static_cast<int>(n * base.dX / 4 + 0.5); };
    const auto y = [&](int n) { return static_cast<int>(n * base.dY / 8 + 0.5); };
    return {x(units.x()), y(units.y()), x(units.width()), y(units.height())};
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
