// The sortable list, its model watched by Qt's model tester: header clicks, the selection kept with
// its row, the owner-drawn header and its arrow. The order of texts itself: tests/controls/.

#include "controls/CSortHeaderCtrl.h"
#include "tests/gui/ProgramTest.h"

#include <QAbstractItemModelTester>

#include <optional>

namespace {

const QStringList kUnsorted = {"abc", "ABD", "AB", "A_B", "", "10", "9"};
const QStringList kAscending = {"", "10", "9", "A_B", "AB", "abc", "ABD"};
const QStringList kDescending = {"ABD", "abc", "AB", "A_B", "9", "10", ""};

}  // namespace

class SortTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CSortListCtrl> m_pList;
    std::optional<QAbstractItemModelTester> m_tester;

    CResultListModel& Model() { return m_pList->Model(); }
    CSortHeaderCtrl& Header() { return m_pList->Header(); }

    // Column 1 is a second key.
    void Fill()
    {
        Model().Empty();
        Model().SetColumns({"NAME", "RANK"});
        const char* pszRanks = "3140625";
        for (int i = 0; i < kUnsorted.size(); ++i)
            Model().AppendRow({kUnsorted[i].toStdString(), std::string(1, pszRanks[i])});
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
        const QPoint point(SectionRight(nSection) - Header().sectionSize(nSection) / 2, Header().height() / 2);
        QTest::mouseClick(Header().viewport(), button, Qt::NoModifier, point);
    }

    QRgb Pixel(int x, int y) { return Header().grab().toImage().pixel(x, y); }

    int SectionRight(int n) { return Header().sectionViewportPosition(n) + Header().sectionSize(n); }

private slots:
    void init()
    {
        m_pList = std::make_unique<CSortListCtrl>();
        m_tester.emplace(&Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_pList->resize(400, 300);
        m_pList->SetGridAndFullRowSelect();
        m_pList->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pList.get()));
        Fill();
    }

    void cleanup()
    {
        m_tester.reset();
        m_pList.reset();
    }

    // Up, down, up; another column starts ascending; a refill drops the arrow, the next click inverts.
    void clicksSortUpDownThenAnotherColumn()
    {
        m_pList->selectRow(2);
        ClickHeader(1, Qt::RightButton);
        QCOMPARE(Column(0), kUnsorted);
        QVERIFY(!Header().IsOwnerDrawn(1));
        for (const QStringList& arrExpected : {kAscending, kDescending, kAscending}) {
            ClickHeader(0);
            QCOMPARE(Column(0), arrExpected);
        }
        const QModelIndexList arrSelected = m_pList->selectionModel()->selectedRows();
        QCOMPARE(arrSelected.size(), 1);
        QCOMPARE(arrSelected.first().data().toString(), QString("AB"));
        QCOMPARE(m_pList->currentIndex().row(), arrSelected.first().row());
        ClickHeader(1);
        ClickHeader(1);
        QCOMPARE(Column(1), QStringList({"6", "5", "4", "3", "2", "1", "0"}));
        ClickHeader(0);
        QCOMPARE(Column(0), kAscending);
        Fill();
        QVERIFY(!Header().IsOwnerDrawn(0));
        QCOMPARE(Column(0), kUnsorted);
        ClickHeader(0);
        QCOMPARE(Column(0), kDescending);

        QCOMPARE(m_pList->horizontalHeader()->sectionSize(1), 100);
        QCOMPARE(Model().AppendRow({"K\xc3\xa4se", ""}), 7);
        QCOMPARE(Model().rowCount(), 7);  // the view hears of rows only when they are published
        Model().Publish();
        QCOMPARE(Model().index(7, 0).data().toString(), QString::fromUtf8("K\xc3\xa4se"));
    }

    // The arrow follows the sort column in two strokes that stand out; a long header ends in an ellipsis.
    void headerPaintsArrowAndEllipsis()
    {
        const int o = 2 * QFontMetrics(Header().font()).horizontalAdvance(QLatin1Char(' '));
        const QRgb light = Header().ArrowColour(false).rgb();
        const QRgb dark = Header().ArrowColour(true).rgb();
        ClickHeader(0);
        // Ascending: the light stroke starts at the tip, the dark one ends beside it.
        QCOMPARE(Pixel(SectionRight(0) - 2 * o, o - 1), light);
        QCOMPARE(Pixel(SectionRight(0) - 5 * o / 2 - 1, Header().height() - o - 1), dark);
        ClickHeader(0);
        // Descending: the tip is at the bottom.
        QCOMPARE(Pixel(SectionRight(0) - 3 * o / 2, o - 1), light);
        QCOMPARE(Pixel(SectionRight(0) - 2 * o - 1, Header().height() - o), dark);

        ClickHeader(1);
        QVERIFY(Header().IsOwnerDrawn(0) && Header().IsOwnerDrawn(1));
        // Still owner-drawn, but without its arrow.
        QCOMPARE(Pixel(SectionRight(0) - 3 * o / 2, o - 1), Header().palette().color(QPalette::Button).rgb());
        QCOMPARE(Pixel(SectionRight(1) - 2 * o, o - 1), light);

        // An empty list sorts too, and shows the arrow.
        Model().DeleteAllItems();
        ClickHeader(0);
        QVERIFY(Header().IsOwnerDrawn(0));
        QCOMPARE(Pixel(SectionRight(0) - 2 * o, o - 1), light);

        const int nFace = Header().palette().color(QPalette::Button).lightness();
        QVERIFY(std::abs(Header().ArrowColour(false).lightness() - nFace) >= 48);
        QVERIFY(std::abs(Header().ArrowColour(true).lightness() - nFace) >= 48);
        Header().setPalette(QPalette(QColor(192, 192, 192)));  // the classic scheme's face
        QCOMPARE(Header().ArrowColour(false), Header().palette().color(QPalette::Light));
        QCOMPARE(Header().ArrowColour(true), Header().palette().color(QPalette::Dark));

        Model().SetColumns({"TABLESPACE_NAME_OF_SOME_LENGTH", "N"});
        Header().resizeSection(0, 100);
        const QString strShown = Header().ShownText(0);
        QVERIFY2(strShown.endsWith(QChar(0x2026)), qPrintable(strShown));
        QVERIFY(strShown.size() < 30);
        QCOMPARE(Header().ShownText(1), QString("N"));
    }
};

GUI_TEST_MAIN(SortTest, false)

#include "SortTest.moc"
