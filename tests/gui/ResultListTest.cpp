// RunQueryToList against the test cluster: the 1000-row question through the desktop seam,
// the cells and headers the list shows. What the operation does is tested in
// tests/document/OperationsDbTest.cpp.

#include "browser/CLumidexView.h"
#include "controls/CSortListCtrl.h"
#include "shell/CLumidexApp.h"
#include "tests/gui/GuiTests.h"
#include "tests/gui/TestDesktop.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QTest>

using Answers = QList<int>;
Q_DECLARE_METATYPE(Answers)

namespace {

const QString kQuestion = QStringLiteral("You have read 1000 rows do you want to read all?");

}  // namespace

class ResultListTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScratchFolder> m_pFolder;
    std::unique_ptr<TestDesktop> m_pDesktop;
    std::unique_ptr<ModalScript> m_pScript;
    std::unique_ptr<CLumidexApp> m_pApp;

    CLumidexView& View() { return *m_pApp->View(); }
    CResultListModel& Model() { return View().ResultList().Model(); }
    QString MessageLine() { return View().MessageLine().text(); }

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
        m_pFolder = std::make_unique<ScratchFolder>();
        m_pDesktop = std::make_unique<TestDesktop>();
        m_pScript = std::make_unique<ModalScript>();
        m_pScript->Add(CloseSplash);
        m_pScript->Add(Logon("LUMIDEX", "app", "app"));
        m_pApp = std::make_unique<CLumidexApp>();
        QVERIFY(m_pApp->InitInstance());
        QTRY_VERIFY_WITH_TIMEOUT(m_pScript->Done(), 15000);
        QCOMPARE(MessageLine(), QString("Connect succeeded!"));
    }

    void cleanupTestCase()
    {
        m_pApp.reset();
        m_pScript.reset();
        m_pDesktop.reset();
        m_pFolder.reset();
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
