// The statement window against the test cluster, from its command and keys: statements
// run into the list, the history, Escape, the 1000-row question through the desktop seam,
// and a run once disconnected. What a run does and the history's texts are tested in
// tests/document/.

#include "browser/CSqlStatementWindow.h"
#include "tests/gui/ProgramTest.h"

#include <QAbstractItemModelTester>
#include <QPlainTextEdit>

class SqlStatementTest : public ProgramTest {
    Q_OBJECT

    CSqlStatementWindow& Window() { return *View().SqlWindow(); }
    QPlainTextEdit& Editor() { return Window().Editor(); }

    // Ctrl+E where the focus is: the message line would take it for itself.
    void OpenWindow()
    {
        GoIdle();
        PressKey(View().MessageLine(), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(View().SqlWindow());
        QVERIFY(Window().isVisible());
    }

    void Run(const QString& strText, bool bByKey = false)
    {
        Editor().setPlainText(strText);
        if (bByKey)
            QTest::keyClick(&Editor(), Qt::Key_Return, Qt::ControlModifier);
        else
            Window().findChild<QPushButton*>("IDC_SQL_RUN")->click();
    }

private slots:
    void runsStatementsIntoTheList()
    {
        Start("app", "app");
        const QTreeWidgetItem* pSelected = View().Tree().currentItem();
        OpenWindow();
        QCOMPARE(Window().windowTitle(), QString("SQL statement"));
        QVERIFY(!Window().isModal());
        QCOMPARE(Window().parentWidget(), static_cast<QWidget*>(&Frame()));

        const QString strQuery = "select department_id, department_name from hr.departments order by 1";
        Run(strQuery + ";");
        QCOMPARE(MessageLine(), QString("Rows 4"));
        QCOMPARE(Model().columnCount(), 2);
        QCOMPARE(View().Tree().currentItem(), pSelected);
        Run("selec 1", true);
        QVERIFY2(MessageLine().startsWith("ORA-00900"), qPrintable(MessageLine()));

        // Alt+Up and Alt+Down step through what was run.
        Editor().clear();
        QTest::keyClick(&Editor(), Qt::Key_Up, Qt::AltModifier);
        QTest::keyClick(&Editor(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(Editor().toPlainText(), strQuery);
        QTest::keyClick(&Editor(), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(Editor().toPlainText(), QString("selec 1"));

        // Escape hides it; the command brings the same window back with its text.
        CSqlStatementWindow* pWindow = &Window();
        QTest::keyClick(&Editor(), Qt::Key_Escape);
        QVERIFY(!pWindow->isVisible());
        OpenWindow();
        QCOMPARE(&Window(), pWindow);
        QCOMPARE(Editor().toPlainText(), QString("selec 1"));

        // A selection runs alone.
        Editor().setPlainText("select 1 from dual\nselect 2 from dual");
        QTextCursor cursor = Editor().textCursor();
        cursor.movePosition(QTextCursor::Down);
        cursor.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
        Editor().setTextCursor(cursor);
        QTest::keyClick(&Editor(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(Cell(0, 0), QString("2"));

        // Nothing to run: a beep, the list as it was.
        const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
        Run(" ; ");
        QCOMPARE(m_pDesktop->arrBeeps.size(), nBeeps + 1);
        QCOMPARE(m_pDesktop->arrBeeps.back(), 0u);
        QCOMPARE(Cell(0, 0), QString("2"));

        // The question's text and buttons, and what each answer does; a run ends with a simple beep.
        QAbstractItemModelTester tester(&Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (const auto& [answer, nRows] : {std::pair(QMessageBox::Yes, 1500), std::pair(QMessageBox::No, 1000)}) {
            m_pDesktop->answer = answer;
            m_pDesktop->arrMessages.clear();
            Run("select id, label from app.big_table order by id");
            QCOMPARE(m_pDesktop->arrMessages.size(), 1u);
            QCOMPARE(m_pDesktop->arrMessages[0].strText, QString("You have read 1000 rows do you want to read all?"));
            QCOMPARE(m_pDesktop->arrMessages[0].buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(MessageLine(), QString("Rows %1").arg(nRows));
            QCOMPARE(Cell(nRows - 1, 0), QString::number(nRows));
            QCOMPARE(m_pDesktop->arrBeeps.back(), 0xFFFFFFFFu);
        }

        Frame().OnCommand(ID_DATABASE_DISCONNECT);
        Run("select 1 from dual");
        QCOMPARE(MessageLine(), QString("No message! Are you connected to the database?"));
    }
};

std::unique_ptr<QObject> MakeSqlStatementTest() { return std::make_unique<SqlStatementTest>(); }

#include "SqlStatementTest.moc"
