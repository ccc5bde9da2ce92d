// The statement window and Save CSV data against the test cluster, from their commands
// and keys.

#include "browser/CSqlStatementWindow.h"
#include "res/resource.h"
#include "tests/gui/ProgramTest.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

class SqlStatementTest : public ProgramTest {
    Q_OBJECT

    CSqlStatementWindow& Window() { return *View().SqlWindow(); }
    QPlainTextEdit& Editor() { return Window().Editor(); }

    // Ctrl+E where the focus is: the message line would take it for itself.
    void OpenWindow()
    {
        GoIdle();
        Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        View().MessageLine().setFocus();
        QTest::keyClick(&View().MessageLine(), Qt::Key_E, Qt::ControlModifier);
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

    // Saves the list as CSV under a typed name; the file's bytes.
    QByteArray SaveCsv(const QString& strTyped)
    {
        m_pDesktop->arrSaveNames.push_back(strTyped);
        Frame().OnCommand(ID_FILE_SAVE_CSV);
        QFile file(strTyped.endsWith(".csv") ? strTyped : strTyped + ".csv");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void runsStatementsIntoTheList()
    {
        Start("hr", "hr");
        const QTreeWidgetItem* pSelected = View().Tree().currentItem();
        OpenWindow();
        QCOMPARE(Window().windowTitle(), QString("SQL statement"));
        QVERIFY(!Window().isModal());
        QCOMPARE(Window().parentWidget(), static_cast<QWidget*>(&Frame()));

        Run("  select department_id, department_name from hr.departments order by 1;  \n");
        QCOMPARE(MessageLine(), QString("Rows 4"));
        QCOMPARE(View().ResultList().Model().columnCount(), 2);
        QCOMPARE(View().Tree().currentItem(), pSelected);

        Run("selec 1", true);
        QVERIFY2(MessageLine().startsWith("ORA-00900") && !MessageLine().contains('\n'), qPrintable(MessageLine()));

        Run("update hr.departments set location = location where department_id = 10");
        QCOMPARE(MessageLine(), QString("Execute succeeded! Rows changed 1"));

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
        QCOMPARE(Cell(0, 0), QString("2"));
    }

    // Alt+Up and Alt+Down step through what was run, as it was run: a trailing ";"
    // gone, a PL/SQL block whole.
    void historyEscapeAndDisconnect()
    {
        Start("hr", "hr");
        OpenWindow();
        Run("select 1 from dual;");
        Run("begin null; end;");
        Editor().clear();
        QTest::keyClick(&Editor(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(Editor().toPlainText(), QString("begin null; end;"));
        QTest::keyClick(&Editor(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(Editor().toPlainText(), QString("select 1 from dual"));
        QTest::keyClick(&Editor(), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(Editor().toPlainText(), QString("begin null; end;"));

        // Escape hides it; the command brings the same window back with its text.
        CSqlStatementWindow* pWindow = &Window();
        QTest::keyClick(&Editor(), Qt::Key_Escape);
        QVERIFY(!pWindow->isVisible());
        OpenWindow();
        QCOMPARE(&Window(), pWindow);
        QCOMPARE(Editor().toPlainText(), QString("begin null; end;"));

        Frame().OnCommand(ID_DATABASE_DISCONNECT);
        GoIdle();
        QVERIFY(!Frame().Action(ID_DATABASE_SQL)->isEnabled());
        QVERIFY(!Frame().Action(ID_FILE_SAVE_CSV)->isEnabled());
        Run("select 1 from dual");
        QCOMPARE(MessageLine(), QString("No message! Are you connected to the database?"));
    }

    void savesTheListAsCsv()
    {
        Start("hr", "hr");
        QTemporaryDir target;
        View().RunQueryToList("SELECT employee_id, last_name, notes FROM EMPLOYEES ORDER BY EMPLOYEE_ID");
        const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
        const QByteArray csv = SaveCsv(target.path() + "/emp");
        QCOMPARE(m_pDesktop->arrSaveDialogs.last(), QString("*.csv|CSV Files (*.csv);;All Files (*.*)"));
        QCOMPARE(MessageLine(), QString("Saved CSV file!"));
        QCOMPARE(m_pDesktop->arrBeeps.size(), nBeeps + 1);
        QCOMPARE(m_pDesktop->arrBeeps.back(), 0u);
        QVERIFY(m_pDesktop->arrOpened.empty());
        QCOMPARE(Frame().windowTitle(), target.path() + "/emp.csv - Lumidex");
        QCOMPARE(QString::fromUtf8(csv), QString("EMPLOYEE_ID,LAST_NAME,NOTES\r\n1,King,President\r\n"
                                                 "2,Lefèvre,Paid in € since 2002\r\n3,日本,NULL\r\n4,Nobody,NULL\r\n"));

        // A folder where the file should go: refused, and left as it was.
        QVERIFY(QDir(target.path()).mkdir("taken.csv"));
        SaveCsv(target.path() + "/taken.csv");
        QCOMPARE(MessageLine(), QString("Failed to save CSV file!"));
        QVERIFY(QFileInfo(target.path() + "/taken.csv").isDir());
    }
};

std::unique_ptr<QObject> MakeSqlStatementTest() { return std::make_unique<SqlStatementTest>(); }

#include "SqlStatementTest.moc"
