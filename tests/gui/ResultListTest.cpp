// RunQueryToList against the test cluster: rows, the 1000-row question, statements that
// are not queries, errors.

#include "browser/CLumidexView.h"
#include "controls/CSortListCtrl.h"
#include "res/resource.h"
#include "shell/CLumidexApp.h"
#include "shell/CMainFrame.h"
#include "tests/gui/GuiTests.h"
#include "tests/gui/TestDesktop.h"
#include "tests/support/TestFixture.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QTest>

#include <libpq-fe.h>

using Answers = QList<int>;
Q_DECLARE_METATYPE(Answers)

namespace {

const QString kQuestion = QStringLiteral("You have read 1000 rows do you want to read all?");

QString AdminValue(const char* pszQuery)
{
    PGconn* pConn = PQconnectdb(testfixture::AdminConnInfo().c_str());
    PGresult* pResult = PQexec(pConn, pszQuery);
    const QString strValue = PQresultStatus(pResult) == PGRES_TUPLES_OK
                                 ? QString::fromUtf8(PQgetvalue(pResult, 0, 0))
                                 : QString("error");
    PQclear(pResult);
    PQfinish(pConn);
    return strValue;
}

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

        const QString strThousand = "select id, label from app.big_table where id <= 1000 order by id";
        const QString strAll = "select id, label from app.big_table order by id";
        QTest::newRow("no rows") << "select * from app.big_table where id < 0" << Answers{} << 4 << 0 << 0;
        QTest::newRow("999 rows") << "select id from app.big_table where id < 1000" << Answers{} << 1
                                  << 999 << 0;
        QTest::newRow("1000 rows, Yes") << strThousand << Answers{QMessageBox::Yes} << 2 << 1000 << 1;
        QTest::newRow("1000 rows, No") << strThousand << Answers{QMessageBox::No} << 2 << 1000 << 1;
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

    void statementsThatAreNotQueries()
    {
        Run("create table app.gui_scratch (n integer)");
        QCOMPARE(MessageLine(), QString("Execute succeeded! Rows changed 0"));
        Run("insert into app.gui_scratch select generate_series(1, 3)");
        QCOMPARE(MessageLine(), QString("Execute succeeded! Rows changed 3"));
        QCOMPARE(Model().columnCount(), 0);
        QCOMPARE(Model().rowCount(), 0);
        QCOMPARE(AdminValue("SELECT count(*) FROM app.gui_scratch"), QString("3"));  // committed
        Run("drop table app.gui_scratch");
        QCOMPARE(MessageLine(), QString("Execute succeeded! Rows changed 0"));
    }

    void syntaxErrorEmptiesTheList()
    {
        Run("select * from app.orders");
        QVERIFY(Model().rowCount() > 0);
        Run("selec * from hr.departments");
        QCOMPARE(Model().columnCount(), 0);
        QCOMPARE(Model().rowCount(), 0);
        QVERIFY(!MessageLine().isEmpty());
        QVERIFY(!MessageLine().contains('\n'));
        QVERIFY(!MessageLine().startsWith("Rows"));
    }

    void notConnected()
    {
        m_pApp->MainFrame()->OnCommand(ID_DATABASE_DISCONNECT);
        QCOMPARE(MessageLine(), QString("Disconnect succeded!"));
        Run("select * from app.orders");
        QCOMPARE(Model().columnCount(), 0);
        QCOMPARE(MessageLine(), QString("No message! Are you connected to the database?"));
    }
};

std::unique_ptr<QObject> MakeResultListTest() { return std::make_unique<ResultListTest>(); }

#include "ResultListTest.moc"
