#pragma once

// The result list's header: a section once sorted is drawn by DrawItem, with the arrow of
// the sort column in two colours that stand out from the header's face; the others are
// drawn by Qt. A text wider than its section ends with an ellipsis either way.

#include <QHeaderView>

#include <vector>

class CSortHeaderCtrl : public QHeaderView {
    Q_OBJECT
public:
    explicit CSortHeaderCtrl(QWidget* pParent = nullptr);

    // Records the arrow, makes the section owner-drawn and repaints the whole header.
    void SetSortImage(int nColumn, bool bAscending);
    bool IsOwnerDrawn(int nSection) const;
    // New columns are drawn by Qt again until one is sorted.
    void OnColumnsRecreated();
    // The section's text as it fits the room Qt's style gives it.
    QString ShownText(int nSection) const;
    // The arrow's colours: the 3-D highlight and shadow where they stand out from the
    // face, as on the classic scheme, else the nearest roles that do.
    QColor ArrowColour(bool bDark) const;

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* pOption, int nLogicalIndex) const override;
    void paintSection(QPainter* pPainter, const QRect& rect, int nLogicalIndex) const override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;

private:
    void DrawItem(QPainter& dc, const QRect& rcItem, int nItem) const;
    void DrawArrow(QPainter& dc, const QRect& rcItem, int o) const;

    int m_nSortColumn = -1;
    bool m_bAscending = true;
    std::vector<bool> m_arrOwnerDrawn;
    int m_nPressed = -1;  // the section under a held left button
};
