// RunQueryToList against the test cluster: the 1000-row question through the desktop seam,
// the cells and headers the list shows. What the operation does is tested in
// tests/document/OperationsDbTest.cpp.

#include "tests/gui/ProgramTest.h"

#include <QAbstractItemModelTester>

using Answers = QList<int>;
Q_DECLARE_METATYPE(Answers)

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

    void queries_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("questions");

        const QString strAll = "select id, label from app.big_table order by id";
        QTest::newRow("1500 rows, Yes") << strAll << Answers{QMessageBox::Yes} << 2 << 1500 << 1;
        QTest::newRow("1500 rows, No") << strAll << Answers{QMessageBox::No} << 2 << 1000 << 1;
    }

    void queries()
    {
        QFETCH(QString, statement);
        QFETCH(Answers, answers);
        QFETCH(int, columns);
        QFETCH(int, rows);
        QFETCH(int, questions);
        for (int nAnswer : answers)
            m_pDesktop->arrAnswers.push_back(static_cast<QMessageBox::StandardButton>(nAnswer));

        QCOMPARE(Run(statement), questions);
        QCOMPARE(MessageLine(), QString("Rows %1").arg(rows));
        QCOMPARE(Model().columnCount(), columns);
        QCOMPARE(Model().rowCount(), rows);
        if (rows > 0) {
            QCOMPARE(Model().index(0, 0).data().toString(), QString("1"));
            QCOMPARE(Model().index(rows - 1, 0).data().toString(), QString::number(rows));
        }
    }

    void cellsAndHeaders()
    {
        Run("select \"Id\", \"Some Text\" from app.\"Mixed Case\" order by 1");
        QCOMPARE(Model().columnCount(), 2);
        QCOMPARE(Model().headerData(1, Qt::Horizontal).toString().toUpper(), QString("SOME TEXT"));
        QCOMPARE(Model().index(0, 1).data().toString(), QString("mixed"));
        QCOMPARE(Model().index(1, 1).data().toString(), QString("NULL"));
        QAbstractItemModelTester tester(&Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
};

std::unique_ptr<QObject> MakeResultListTest() { return std::make_unique<ResultListTest>(); }

#include "ResultListTest.moc"
