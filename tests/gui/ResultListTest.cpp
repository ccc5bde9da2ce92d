// The list's commands on the test cluster: the statement window, Save XML data, Save CSV data.
// What a run does, the history's texts and the files saved: tests/document/, tests/export/.

#include "browser/CSqlStatementWindow.h"
#include "tests/gui/ProgramTest.h"

#include <QAbstractItemModelTester>
#include <QPlainTextEdit>

class ResultListTest : public ProgramTest {
    Q_OBJECT

    CSqlStatementWindow& Window() { return *View().SqlWindow(); }
    QPlainTextEdit& Editor() { return Window().Editor(); }

    // Ctrl+E where the focus is: the message line would take it for itself.
    void OpenWindow()
    {
        GoIdle();
        PressKey(View().MessageLine(), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(View().SqlWindow() && Window().isVisible());
    }

    void Run(const QString& strText)
    {
        Editor().setPlainText(strText);
        Window().findChild<QPushButton*>("IDC_SQL_RUN")->click();
    }

    // Saves with the command under the name the user types; the beeps it gave.
    std::vector<unsigned> Save(int nCommand, const QString& strTyped)
    {
        m_pDesktop->arrBeeps.clear();
        m_pDesktop->strSaveName = strTyped;
        Frame().OnCommand(nCommand);
        return m_pDesktop->arrBeeps;
    }

private slots:
    void runsStatementsIntoTheList()
    {
        Start("app", "app");
        const QTreeWidgetItem* pSelected = View().Tree().currentItem();
        OpenWindow();
        QCOMPARE(Window().windowTitle(), QString("SQL statement"));
        QVERIFY(!Window().isModal() && Window().parentWidget() == &Frame());

        const QString strQuery = "select department_id, department_name from hr.departments order by 1";
        Run(strQuery + ";");
        QCOMPARE(MessageLine(), QString("Rows 4"));
        QCOMPARE(View().Tree().currentItem(), pSelected);
        Run("selec 1");
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

        // A selection runs alone, here by its key.
        Editor().setPlainText("select 1 from dual\nselect 2 from dual");
        QTextCursor cursor = Editor().textCursor();
        cursor.movePosition(QTextCursor::Down);
        cursor.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
        Editor().setTextCursor(cursor);
        QTest::keyClick(&Editor(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(Cell(0, 0), QString("2"));

        // Nothing to run: a beep, the list as it was.
        m_pDesktop->arrBeeps.clear();
        Run(" ; ");
        QCOMPARE(m_pDesktop->arrBeeps, std::vector<unsigned>{0u});
        QCOMPARE(Cell(0, 0), QString("2"));

        // The question's text and buttons, and what each answer does; a run ends with a simple beep.
        QAbstractItemModelTester tester(&Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (const auto& [answer, nRows] : {std::pair(QMessageBox::Yes, 1500), std::pair(QMessageBox::No, 1000)}) {
            m_pDesktop->answer = answer;
            m_pDesktop->arrMessages.clear();
            Run("select id, label from app.big_table order by id");
            const TestDesktop::MessageRecord& question = m_pDesktop->arrMessages.at(0);  // the count: tests/document/
            QCOMPARE(question.strText, QString("You have read 1000 rows do you want to read all?"));
            QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(Model().rowCount(), nRows);
            QCOMPARE(m_pDesktop->arrBeeps.back(), 0xFFFFFFFFu);
        }
    }

    // The employees shown by LAST_NAME descending. The switches as the settings file has them when
    // the command runs. CSV: cancelled, no beep and the message kept; failed, the title kept.
    void savesXmlAndCsv()
    {
        Start("hr", "hr");
        View().RunQueryToList("SELECT employee_id, last_name, notes FROM EMPLOYEES ORDER BY EMPLOYEE_ID");
        QCOMPARE(MessageLine(), QString("Rows 4"));
        View().ResultList().OnHeaderItemClick(1, 0);
        View().ResultList().OnHeaderItemClick(1, 0);
        for (const bool bOn : {true, false}) {
            WriteFile("Lumidex.ini", bOn ? QByteArray() : QByteArray("[Lumidex]\nXSL=0\nVIEWXML=0\n"));
            const QString strName = m_pFolder->path() + (bOn ? "/on" : "/off");
            m_pDesktop->arrOpened.clear();
            QCOMPARE(Save(ID_FILE_SAVE_AS, strName), std::vector<unsigned>{0u});
            QCOMPARE(m_pDesktop->arrSaveDialogs.last(), QString("*.xml|XML Files (*.xml);;All Files (*.*)"));
            QCOMPARE(MessageLine(), QString("Saved XML file!"));
            QCOMPARE(Frame().windowTitle(), strName + ".xml - Lumidex");
            const QByteArray xml = ReadFile(strName + ".xml");
            QCOMPARE(xml.count("<LAST_NAME>"), 4);
            QVERIFY(xml.indexOf("Nobody") < xml.indexOf("King"));  // as shown, not as read
            QCOMPARE(QFileInfo::exists(strName + ".xsl"), bOn);
            QCOMPARE(m_pDesktop->arrOpened,
                     bOn ? std::vector<QUrl>{QUrl::fromLocalFile(strName + ".xml")} : std::vector<QUrl>());
        }

        QCOMPARE(Save(ID_FILE_SAVE_CSV, QString()), std::vector<unsigned>());
        QCOMPARE(MessageLine(), QString("Saved XML file!"));
        const QString strData = m_pFolder->path() + "/emp.csv";
        QCOMPARE(Save(ID_FILE_SAVE_CSV, m_pFolder->path() + "/emp"), std::vector<unsigned>{0u});
        QCOMPARE(m_pDesktop->arrSaveDialogs.last(), QString("*.csv|CSV Files (*.csv);;All Files (*.*)"));
        QCOMPARE(MessageLine(), QString("Saved CSV file!"));
        QVERIFY(m_pDesktop->arrOpened.empty());
        QCOMPARE(Frame().windowTitle(), strData + " - Lumidex");
        QVERIFY(ReadFile(strData).startsWith("EMPLOYEE_ID,LAST_NAME,NOTES\r\n3,"));  // as shown
        QVERIFY(QDir(m_pFolder->path()).mkdir("taken.csv"));
        QCOMPARE(Save(ID_FILE_SAVE_CSV, m_pFolder->path() + "/taken.csv"), std::vector<unsigned>{0u});
        QCOMPARE(MessageLine(), QString("Failed to save CSV file!"));
        QCOMPARE(Frame().windowTitle(), strData + " - Lumidex");
    }
};

GUI_TEST_MAIN(ResultListTest, true)

#include "ResultListTest.moc"
