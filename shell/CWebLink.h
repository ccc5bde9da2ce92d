#pragma once

// A static text that acts as a web link: underlined, blue until its address was opened,
// purple afterwards.

#include <QLabel>
#include <QString>

#include <cstdint>

using COLORREF = std::uint32_t;  // 0x00BBGGRR

class CWebLink : public QLabel {
    Q_OBJECT
public:
    explicit CWebLink(QWidget* pParent = nullptr);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;

private:
    void OnClicked();

    COLORREF m_linkColor = 0x00FA0000;
    COLORREF m_visitedColor = 0x00800080;
    bool m_bVisited = false;
    QString m_strURL;
    bool m_bFontMade = false;
};
