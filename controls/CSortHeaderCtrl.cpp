#include "controls/CSortHeaderCtrl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeader>

#include <span>

#include <cstdlib>

namespace {

// One stroke of the arrow. A point is R + nXHalves * o / 2 + nX across and, down from the
// top or up from the bottom (B), nYHalves * o / 2 + nY.
struct ArrowStroke {
    bool bDark;
    bool bLine;  // else a move
    int nXHalves, nX;
    bool bFromBottom;
    int nYHalves, nY;
};

constexpr ArrowStroke kAscending[] = {
    {false, false, -4, 0, false, 2, -1},
    {false, true, -3, 0, true, -2, 0},
    {false, true, -5, -2, true, -2, 0},
    {false, false, -5, -1, true, -2, -1},
    {true, true, -4, 0, false, 2, -2},
};

constexpr ArrowStroke kDescending[] = {
    {false, false, -3, 0, false, 2, -1},
    {false, true, -4, -1, true, -2, 1},
    {false, false, -4, -1, true, -2, 0},
    {true, true, -5, -1, false, 2, -1},
    {true, true, -3, 0, false, 2, -1},
};

// A 1-pixel line that leaves out its end point, as the platform draws lines.
void LineTo(QPainter& dc, QPoint from, QPoint to)
{
    int x = from.x(), y = from.y();
    const int dx = std::abs(to.x() - x), dy = -std::abs(to.y() - y);
    const int sx = x < to.x() ? 1 : -1, sy = y < to.y() ? 1 : -1;
    int err = dx + dy;
    while (x != to.x() || y != to.y()) {
        dc.drawPoint(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

}  // namespace

CSortHeaderCtrl::CSortHeaderCtrl(QWidget* pParent) : QHeaderView(Qt::Horizontal, pParent)
{
    setSectionsClickable(true);
}

void CSortHeaderCtrl::SetSortImage(int nColumn, bool bAscending)
{
    m_nSortColumn = nColumn;
    m_bAscending = bAscending;
    if (nColumn >= 0) {
        if (static_cast<std::size_t>(nColumn) >= m_arrOwnerDrawn.size())
            m_arrOwnerDrawn.resize(static_cast<std::size_t>(nColumn) + 1, false);
        m_arrOwnerDrawn[static_cast<std::size_t>(nColumn)] = true;
    }
    viewport()->update();
}

bool CSortHeaderCtrl::IsOwnerDrawn(int nSection) const
{
    return nSection >= 0 && static_cast<std::size_t>(nSection) < m_arrOwnerDrawn.size() &&
           m_arrOwnerDrawn[static_cast<std::size_t>(nSection)];
}

void CSortHeaderCtrl::OnColumnsRecreated()
{
    m_arrOwnerDrawn.clear();
    viewport()->update();
}

QString CSortHeaderCtrl::ShownText(int nSection) const
{
    const QString strText = model() ? model()->headerData(nSection, orientation()).toString() : QString();
    const int nMargin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    return fontMetrics().elidedText(strText, Qt::ElideRight, sectionSize(nSection) - 2 * nMargin);
}

void CSortHeaderCtrl::initStyleOptionForIndex(QStyleOptionHeader* pOption, int nLogicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(pOption, nLogicalIndex);
    pOption->text = ShownText(nLogicalIndex);
}

QColor CSortHeaderCtrl::ArrowColour(bool bDark) const
{
    // Enough lightness apart from the face to be told from it at a glance.
    constexpr int kContrast = 48;
    const int nFace = palette().color(QPalette::Button).lightness();
    const QPalette::ColorRole arrLight[] = {QPalette::Light, QPalette::Mid, QPalette::Dark};
    const QPalette::ColorRole arrDark[] = {QPalette::Dark, QPalette::Shadow, QPalette::ButtonText};
    const std::span<const QPalette::ColorRole> roles = bDark ? std::span(arrDark) : std::span(arrLight);
    for (QPalette::ColorRole role : roles) {
        if (std::abs(palette().color(role).lightness() - nFace) >= kContrast)
            return palette().color(role);
    }
    return palette().color(roles.back());
}

void CSortHeaderCtrl::paintSection(QPainter* pPainter, const QRect& rect, int nLogicalIndex) const
{
    if (IsOwnerDrawn(nLogicalIndex))
        DrawItem(*pPainter, rect, nLogicalIndex);
    else
        QHeaderView::paintSection(pPainter, rect, nLogicalIndex);
}

void CSortHeaderCtrl::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        m_nPressed = logicalIndexAt(pEvent->position().toPoint());
    QHeaderView::mousePressEvent(pEvent);
}

void CSortHeaderCtrl::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        m_nPressed = -1;
    QHeaderView::mouseReleaseEvent(pEvent);
}

void CSortHeaderCtrl::DrawItem(QPainter& dc, const QRect& rcItem, int nItem) const
{
    dc.save();
    dc.setClipRect(rcItem);
    dc.fillRect(rcItem, palette().color(QPalette::Button));

    const QFontMetrics metrics(font());
    const int o = 2 * metrics.horizontalAdvance(QLatin1Char(' '));

    const QString strText = model() ? model()->headerData(nItem, orientation()).toString().left(255)
                                    : QString();
    const QVariant alignment =
        model() ? model()->headerData(nItem, orientation(), Qt::TextAlignmentRole) : QVariant();
    const Qt::Alignment flags =
        alignment.isValid() ? Qt::Alignment(alignment.toInt()) : defaultAlignment();
    Qt::Alignment textFormat = Qt::AlignVCenter;
    if (flags & Qt::AlignHCenter)
        textFormat |= Qt::AlignHCenter;
    else if (flags & Qt::AlignRight)
        textFormat |= Qt::AlignRight;
    else
        textFormat |= Qt::AlignLeft;

    // Edges as the platform counts them: right and bottom are just outside the item.
    int nLeft = rcItem.left(), nTop = rcItem.top();
    int nRight = rcItem.left() + rcItem.width(), nBottom = rcItem.top() + rcItem.height();
    if (nItem == m_nPressed) {
        nLeft += 1;
        nTop += 2;
        nRight += 1;
    }
    if (nItem == m_nSortColumn)
        nRight -= 3 * o;
    nLeft += o;
    nRight -= o;
    if (nLeft < nRight) {
        const QRect rcLabel(nLeft, nTop, nRight - nLeft, nBottom - nTop);
        dc.setPen(palette().color(QPalette::ButtonText));
        dc.drawText(rcLabel, int(textFormat) | Qt::TextSingleLine,
                    metrics.elidedText(strText, Qt::ElideRight, rcLabel.width()));
    }
    if (nItem == m_nSortColumn)
        DrawArrow(dc, rcItem, o);
    dc.restore();
}

void CSortHeaderCtrl::DrawArrow(QPainter& dc, const QRect& rcItem, int o) const
{
    const int R = rcItem.left() + rcItem.width();
    const int B = rcItem.top() + rcItem.height();
    const QPen light(ArrowColour(false), 1);
    const QPen dark(ArrowColour(true), 1);
    dc.setRenderHint(QPainter::Antialiasing, false);
    QPoint current;
    for (const ArrowStroke& stroke : m_bAscending ? std::span(kAscending) : std::span(kDescending)) {
        const QPoint point(R + stroke.nXHalves * o / 2 + stroke.nX,
                           (stroke.bFromBottom ? B : rcItem.top()) + stroke.nYHalves * o / 2 + stroke.nY);
        dc.setPen(stroke.bDark ? dark : light);
        if (stroke.bLine)
            LineTo(dc, current, point);
        current = point;
    }
}
