#include "shell/CWebLink.h"

#include "gui/Desktop.h"

#include <QMouseEvent>

namespace {

QColor FromColorRef(COLORREF color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

}  // namespace

CWebLink::CWebLink(QWidget* pParent) : QLabel(pParent) {}

void CWebLink::paintEvent(QPaintEvent* pEvent)
{
    // A picture keeps its normal look; only a text is drawn as a link.
    if (pixmap().isNull()) {
        if (!m_bFontMade) {
            QFont underlined = font();
            underlined.setUnderline(true);
            setFont(underlined);
            m_bFontMade = true;
        }
        QPalette colours = palette();
        colours.setColor(QPalette::WindowText, FromColorRef(m_bVisited ? m_visitedColor : m_linkColor));
        setPalette(colours);
    }
    QLabel::paintEvent(pEvent);
}

void CWebLink::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton && rect().contains(pEvent->position().toPoint()))
        OnClicked();
    QLabel::mouseReleaseEvent(pEvent);
}

void CWebLink::OnClicked()
{
    if (m_strURL.isEmpty())
        m_strURL = text();
    if (desktop::Open(QUrl(m_strURL))) {
        m_bVisited = true;
        update();
    } else {
        desktop::Beep(desktop::kDefaultBeep);
    }
}
