// RunQueryToList against the test cluster: the 1000-row question through the desktop seam,
// the cells and headers the list shows. What the operation does is tested in
// tests/document/OperationsDbTest.cpp.

#include "tests/gui/ProgramTest.h"

#include <QAbstractItemModelTester>

namespace {

const QString kQuestion = QStringLiteral("You have read 1000 rows do you want to read all?");

}  // namespace

class ResultListTest : public ProgramTest {
    Q_OBJECT

    // Runs one statement and checks that it ends with one simple beep; the questions it asked.
    int Run(const QString& strStatement)
    {
        const std::size_t nMessages = m_pDesktop->arrMessages.size();
        const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
        View().RunQueryToList(strStatement);
        [&] {
            QCOMPARE(m_pDesktop->arrBeeps.size(), nBeeps + 1);
            QCOMPARE(m_pDesktop->arrBeeps.back(), 0xFFFFFFFFu);
        }();
        int nQuestions = 0;
        for (std::size_t i = nMessages; i < m_pDesktop->arrMessages.size(); ++i) {
            const TestDesktop::MessageRecord& message = m_pDesktop->arrMessages[i];
            if (message.strText == kQuestion && message.buttons == (QMessageBox::Yes | QMessageBox::No))
                ++nQuestions;
        }
        return nQuestions;
    }

private slots:
    void initTestCase()
    {
        m_bOnce = true;
        Fresh();
        Start("app", "app");
    }

    // The question's text and buttons and what each answer does; the counts around the
    // 1000th row are tested in tests/document/OperationsDbTest.cpp.
    void thousandRowQuestion()
    {
        for (const auto& [answer, nRows] : {std::pair(QMessageBox::Yes, 1500), std::pair(QMessageBox::No, 1000)}) {
            m_pDesktop->arrAnswers.push_back(answer);
            QCOMPARE(Run("select id, label from app.big_table order by id"), 1);
            QCOMPARE(MessageLine(), QString("Rows %1").arg(nRows));
            QCOMPARE(Model().rowCount(), nRows);
            QCOMPARE(Cell(nRows - 1, 0), QString::number(nRows));
        }
    }

    void cellsAndHeaders()
    {
        Run("select \"Id\", \"Some Text\" from app.\"Mixed Case\" order by 1");
        QCOMPARE(Model().columnCount(), 2);
        QCOMPARE(Model().headerData(1, Qt::Horizontal).toString().toUpper(), QString("SOME TEXT"));
        QCOMPARE(Cell(0, 1), QString("mixed"));
        QCOMPARE(Cell(1, 1), QString("NULL"));
        QAbstractItemModelTester tester(&Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
};

std::unique_ptr<QObject> MakeResultListTest() { return std::make_unique<ResultListTest>(); }

#include "ResultListTest.moc"
