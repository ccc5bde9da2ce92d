// Start-up, the Connect loop, Disconnect and closing the window, against the test cluster.

#include "gui/WebPages.h"
#include "res/resource.h"
#include "shell/CStartDialog.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/TestFixture.h"

#include <QAction>
#include <QComboBox>
#include <QToolBar>
#include <QTreeWidget>

namespace {

constexpr int kNeedsConnection[] = {ID_DATABASE_DISCONNECT, ID_DATABASE_REFRESH,
                                    ID_DATABASE_VIEWDATA, ID_FILE_SAVE_AS};

bool BackendAlive(const QString& strPid)
{
    return testfixture::AdminValue("SELECT count(*) FROM pg_stat_activity WHERE pid = " + strPid.toStdString()) == "1";
}

}  // namespace

class ConnectTest : public ProgramTest {
    Q_OBJECT

    // The server process of the program's session, asked through the program itself.
    QString SessionPid()
    {
        View().RunQueryToList("select pg_backend_pid()");
        const QString strPid = Cell(0, 0);
        [&] { QVERIFY2(strPid.toInt() > 0, qPrintable(MessageLine())); }();
        return strPid;
    }

    void ExpectEnabled(int nId, bool bEnabled)
    {
        GoIdle();
        QAction* pAction = Frame().Action(nId);
        QVERIFY(pAction);
        QCOMPARE(pAction->isEnabled(), bEnabled);
        if (QWidget* pButton = Frame().ToolBar()->widgetForAction(pAction))
            QCOMPARE(pButton->isEnabled(), bEnabled);
    }

    void PressKey(int nKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        QTest::keyClick(&View().Tree(), static_cast<Qt::Key>(nKey), modifiers);
    }

private slots:
    void startupShowsSplashThenConnects()
    {
        bool bSplashStayed = false;
        m_pScript->Add([&](QDialog& dialog) {
            QVERIFY(qobject_cast<CStartDialog*>(&dialog));
            QCOMPARE(dialog.size(), QSize(399, 266));
            QCOMPARE(dialog.cursor().shape(), Qt::BitmapCursor);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QTest::keyClick(&dialog, Qt::Key_Return);
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(200, 100));
            bSplashStayed = dialog.isVisible();
            // Left alone, the splash closes itself.
        });
        QStringList arrNames;
        m_pScript->Add([&](QDialog& dialog) {
            auto* pDatabase = dialog.findChild<QComboBox*>("IDC_DATABASE");
            for (int i = 0; i < pDatabase->count(); ++i)
                arrNames.append(pDatabase->itemText(i));
            Logon("LUMIDEX", "hr", "hr")(dialog);
        });
        Launch();

        QVERIFY(bSplashStayed);
        QCOMPARE(m_pDesktop->arrOpened.size(), 1u);
        QCOMPARE(m_pDesktop->arrOpened[0], WebPageUrl(ID_LINKS_HOMEPAGE));
        QCOMPARE(m_pScript->Shown(), QStringList({"CStartDialog", "ConnectDialog"}));
        QCOMPARE(arrNames, QStringList({"LUMIDEX", "lumidex.world", "NODB", "NOLISTENER"}));
        QCOMPARE(MessageLine(), QString("Connect succeeded!"));
        QVERIFY(m_pDesktop->arrMessages.empty());
        QCOMPARE(m_pDesktop->arrBeeps, std::vector<unsigned>({0xFFFFFFFF}));
        QVERIFY(BackendAlive(SessionPid()));
    }

    // The loop itself is tested in tests/document/OperationsDbTest.cpp; here its dialogs and boxes.
    void wrongPasswordThreeTimesThenCancel()
    {
        QStringList arrRetryFields;
        m_pScript->Add(CloseSplash);
        m_pScript->Add(Logon("LUMIDEX", "hr", "wrong"));
        for (int i = 0; i < 2; ++i)
            m_pScript->Add([&](QDialog& dialog) {
                arrRetryFields << dialog.findChild<QComboBox*>("IDC_DATABASE")->currentText()
                               << dialog.findChild<QLineEdit*>("IDC_USER")->text()
                               << dialog.findChild<QLineEdit*>("IDC_PASSWORD")->text();
                Logon("LUMIDEX", "hr", "wrong")(dialog);
            });
        m_pScript->Add(CancelDialog);
        Launch();

        QCOMPARE(m_pScript->Shown().count("ConnectDialog"), 4);
        QCOMPARE(m_pDesktop->arrMessages.size(), 3u);
        for (const TestDesktop::MessageRecord& message : m_pDesktop->arrMessages)
            QVERIFY(message.buttons == QMessageBox::Ok && message.strText.startsWith("ORA-01017"));
        QCOMPARE(arrRetryFields, QStringList({"LUMIDEX", "hr", "", "LUMIDEX", "hr", ""}));
        QCOMPARE(MessageLine(), QString("Connect to database!"));
        QVERIFY(!View().IsConnected());
    }

    void connectAgainEmptiesListThenCancel()
    {
        Start("hr", "hr");
        View().RunQueryToList("select * from hr.departments");
        QVERIFY(Model().rowCount() > 0);
        Frame().OnCommand(ID_DATABASE_DISCONNECT);
        QCOMPARE(MessageLine(), QString("Disconnect succeded!"));
        QVERIFY(Model().rowCount() > 0);  // a disconnect keeps the rows

        m_pScript->Add(CancelDialog);
        Frame().OnCommand(ID_DATABASE_CONNECT);
        QVERIFY(m_pScript->Done());
        QCOMPARE(Model().rowCount(), 0);
        QCOMPARE(Model().columnCount(), 0);
        QCOMPARE(MessageLine(), QString("Connect to database!"));
    }

    void missingOciLibrary()
    {
        const QByteArray previous = qgetenv("LUMIDEX_OCI_LIBRARY");
        qputenv("LUMIDEX_OCI_LIBRARY", m_pFolder->Path().toLocal8Bit() + "/no-such-libclntsh.so");
        m_pScript->Add(CloseSplash);
        m_pScript->Add(Logon("LUMIDEX", "hr", "hr"));
        m_pScript->Add(CancelDialog);
        Launch();
        qputenv("LUMIDEX_OCI_LIBRARY", previous);

        // The texts are tested in tests/document/DocumentTest.cpp.
        QCOMPARE(m_pDesktop->arrMessages.size(), 2u);
        QCOMPARE(m_pDesktop->arrMessages[0].nVisibleWindows, 0);  // before the window
        QCOMPARE(m_pScript->Shown(), QStringList({"CStartDialog", "ConnectDialog", "ConnectDialog"}));
        QVERIFY(!View().IsConnected());
    }

    void closingLogsOff()
    {
        Start("hr", "hr");
        const QString strPid = SessionPid();
        QVERIFY(BackendAlive(strPid));
        const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
        Frame().close();
        QCOMPARE(MessageLine(), QString("Disconnect succeded!"));
        QCOMPARE(m_pDesktop->arrBeeps.size(), nBeeps + 1);
        QTRY_VERIFY(!BackendAlive(strPid));
        m_pApp.reset();
        QCOMPARE(m_pDesktop->arrBeeps.size(), nBeeps + 1);  // once only
    }

    void closingWhileDisconnected()
    {
        Start();
        Frame().close();
        QCOMPARE(MessageLine(), QString("Disconnect succeded!"));
    }

    void keysFollowTheConnection()
    {
        Start();
        const QString strBefore = MessageLine();
        const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
        ExpectEnabled(ID_DATABASE_CONNECT, true);
        for (int nId : kNeedsConnection)
            ExpectEnabled(nId, false);
        PressKey(Qt::Key_F5);
        PressKey(Qt::Key_F8);
        PressKey(Qt::Key_F9);
        PressKey(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_pDesktop->arrBeeps.size(), nBeeps);
        QCOMPARE(MessageLine(), strBefore);

        m_pScript->Add(Logon("LUMIDEX", "hr", "hr"));
        PressKey(Qt::Key_F7);
        QVERIFY(m_pScript->Done());
        QCOMPARE(MessageLine(), QString("Connect succeeded!"));
        ExpectEnabled(ID_DATABASE_CONNECT, false);
        for (int nId : kNeedsConnection)
            ExpectEnabled(nId, true);
        const qsizetype nShown = m_pScript->Shown().size();
        PressKey(Qt::Key_F7);
        QCOMPARE(m_pScript->Shown().size(), nShown);

        PressKey(Qt::Key_F8);
        QCOMPARE(MessageLine(), QString("Disconnect succeded!"));
        ExpectEnabled(ID_DATABASE_CONNECT, true);
    }
};

std::unique_ptr<QObject> MakeConnectTest() { return std::make_unique<ConnectTest>(); }

#include "ConnectTest.moc"
