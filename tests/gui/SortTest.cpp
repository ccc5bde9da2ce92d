// The sortable list on its own: header clicks, the order of texts, item data kept with
// its row, and the owner-drawn header with its arrow.

#include "controls/CSortHeaderCtrl.h"
#include "controls/CSortListCtrl.h"

#include <QTest>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Column 0 holds the order cases; column 1 a second key; each row's item data is its
// place in insertion order.
const std::vector<std::vector<std::string>> kRows = {
    {"abc", "3"}, {"ABD", "1"}, {"AB", "4"}, {"A_B", "0"}, {"", "6"}, {"10", "2"}, {"9", "5"},
};
const QStringList kUnsorted = {"abc", "ABD", "AB", "A_B", "", "10", "9"};
const QStringList kAscending = {"", "10", "9", "A_B", "AB", "abc", "ABD"};
const QStringList kDescending = {"ABD", "abc", "AB", "A_B", "9", "10", ""};

}  // namespace

class SortTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CSortListCtrl> m_pList;

    CResultListModel& Model() { return m_pList->Model(); }
    CSortHeaderCtrl& Header() { return m_pList->Header(); }

    void Fill()
    {
        Model().DeleteAllItems();
        Model().DeleteAllColumns();
        Model().SetColumns({"NAME", "RANK"});
        for (std::size_t i = 0; i < kRows.size(); ++i) {
            const int nRow = Model().AppendRow(kRows[i]);
            Model().SetItemData(nRow, static_cast<std::int64_t>(i) + 1000);
        }
        Model().Publish();
    }

    QStringList Column(int nColumn)
    {
        QStringList arrTexts;
        for (int i = 0; i < Model().rowCount(); ++i)
            arrTexts << Model().index(i, nColumn).data().toString();
        return arrTexts;
    }

    void ClickHeader(int nSection, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint point(Header().sectionViewportPosition(nSection) + Header().sectionSize(nSection) / 2,
                           Header().height() / 2);
        QTest::mouseClick(Header().viewport(), button, Qt::NoModifier, point);
    }

    // Every row still carries the item data it was given, whatever its place.
    void VerifyItemData()
    {
        for (int i = 0; i < Model().rowCount(); ++i) {
            const std::string strName(Model().Content().CellText(i, 0));
            std::size_t nOriginal = 0;
            while (kRows[nOriginal][0] != strName)
                ++nOriginal;
            QCOMPARE(Model().ItemData(i), static_cast<std::int64_t>(nOriginal) + 1000);
        }
    }

    QRgb Pixel(int x, int y) { return Header().grab().toImage().pixel(x, y); }

    int SpaceUnit() { return 2 * QFontMetrics(Header().font()).horizontalAdvance(QLatin1Char(' ')); }

    int SectionRight(int nSection)
    {
        return Header().sectionViewportPosition(nSection) + Header().sectionSize(nSection);
    }

private slots:
    void init()
    {
        m_pList = std::make_unique<CSortListCtrl>();
        m_pList->resize(400, 300);
        m_pList->SetGridAndFullRowSelect();
        m_pList->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pList.get()));
        Fill();
    }

    void cleanup() { m_pList.reset(); }

    void clicksSortUpDownThenAnotherColumn()
    {
        ClickHeader(1, Qt::RightButton);
        QCOMPARE(Column(0), kUnsorted);
        QVERIFY(!Header().IsOwnerDrawn(1));
        for (const QStringList& arrExpected : {kAscending, kDescending, kAscending}) {
            ClickHeader(0);
            QCOMPARE(Column(0), arrExpected);
            VerifyItemData();
        }
        ClickHeader(1);
        ClickHeader(1);
        QCOMPARE(Column(1), QStringList({"6", "5", "4", "3", "2", "1", "0"}));
        // Another column always starts ascending.
        ClickHeader(0);
        QCOMPARE(Column(0), kAscending);
    }

    void selectionMovesWithItsRow()
    {
        m_pList->selectRow(2);
        ClickHeader(0);
        const QModelIndexList arrSelected = m_pList->selectionModel()->selectedRows();
        QCOMPARE(arrSelected.size(), 1);
        QCOMPARE(arrSelected.first().data().toString(), QString("AB"));
        QCOMPARE(m_pList->currentIndex().row(), arrSelected.first().row());
    }

    void emptyListSortsAndShowsArrow()
    {
        Model().DeleteAllItems();
        ClickHeader(0);
        QCOMPARE(Model().rowCount(), 0);
        QVERIFY(Header().IsOwnerDrawn(0));
        const int o = SpaceUnit();
        QCOMPARE(Pixel(SectionRight(0) - 2 * o, o - 1), Header().ArrowColour(false).rgb());
    }

    void arrowFollowsTheSortColumn()
    {
        const int o = SpaceUnit();
        const QRgb light = Header().ArrowColour(false).rgb();
        const QRgb dark = Header().ArrowColour(true).rgb();
        const QRgb face = Header().palette().color(QPalette::Button).rgb();
        ClickHeader(0);
        // Ascending: the light stroke starts at the tip, the dark one ends beside it.
        QCOMPARE(Pixel(SectionRight(0) - 2 * o, o - 1), light);
        QCOMPARE(Pixel(SectionRight(0) - 5 * o / 2 - 1, Header().height() - o - 1), dark);
        ClickHeader(0);
        // Descending: the tip is at the bottom.
        QCOMPARE(Pixel(SectionRight(0) - 3 * o / 2, o - 1), light);
        QCOMPARE(Pixel(SectionRight(0) - 2 * o - 1, Header().height() - o), dark);

        ClickHeader(1);
        QVERIFY(Header().IsOwnerDrawn(0));
        QVERIFY(Header().IsOwnerDrawn(1));
        // Still owner-drawn, but without its arrow.
        QCOMPARE(Pixel(SectionRight(0) - 3 * o / 2, o - 1), face);
        QCOMPARE(Pixel(SectionRight(1) - 2 * o, o - 1), light);
    }

    // Both strokes stand out from the face in the style in use; on the classic
    // scheme they are its 3-D highlight and shadow.
    void arrowColoursContrastWithTheFace()
    {
        const int nFace = Header().palette().color(QPalette::Button).lightness();
        QVERIFY(std::abs(Header().ArrowColour(false).lightness() - nFace) >= 48);
        QVERIFY(std::abs(Header().ArrowColour(true).lightness() - nFace) >= 48);
        QPalette classic = Header().palette();
        classic.setColor(QPalette::Button, QColor(192, 192, 192));
        classic.setColor(QPalette::Light, Qt::white);
        classic.setColor(QPalette::Dark, QColor(128, 128, 128));
        Header().setPalette(classic);
        QCOMPARE(Header().ArrowColour(false), QColor(Qt::white));
        QCOMPARE(Header().ArrowColour(true), QColor(128, 128, 128));
    }

    // A header wider than its section ends with an ellipsis, sorted or not.
    void longHeadersEndWithAnEllipsis()
    {
        Model().SetColumns({"TABLESPACE_NAME_OF_SOME_LENGTH", "N"});
        Header().resizeSection(0, 100);
        const QString strShown = Header().ShownText(0);
        QVERIFY2(strShown.endsWith(QChar(0x2026)), qPrintable(strShown));
        QVERIFY(strShown.size() < 30);
        QCOMPARE(Header().ShownText(1), QString("N"));
    }

    void refilledListShowsNoArrow()
    {
        ClickHeader(0);
        Fill();
        QVERIFY(!Header().IsOwnerDrawn(0));
        QCOMPARE(Column(0), kUnsorted);
        // The remembered column inverts its remembered direction on the next click.
        ClickHeader(0);
        QCOMPARE(Column(0), kDescending);
    }
};

std::unique_ptr<QObject> MakeSortTest() { return std::make_unique<SortTest>(); }

#include "SortTest.moc"
