// The main window on the test cluster: start-up, the Connect loop's dialogs and boxes, the commands
// that follow the connection, closing; menus, bars, keys, layout. The loop: tests/document/.

#include "gui/ResourceImages.h"
#include "res/CommandTable.h"
#include "shell/CStartDialog.h"
#include "tests/gui/ProgramTest.h"

#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

class FrameTest : public ProgramTest {
    Q_OBJECT

    // Main menu and the tree's and list's context menus (the toolbar's buttons are the menu's actions).
    void ExpectConnected(bool bConnected)
    {
        GoIdle();
        const QList<int> follow = {ID_DATABASE_DISCONNECT, ID_DATABASE_REFRESH, ID_DATABASE_VIEWDATA,
                                      ID_DATABASE_SQL,        ID_FILE_SAVE_AS,     ID_FILE_SAVE_CSV};
        const auto expected = [&](int nId) {
            return nId == ID_DATABASE_CONNECT ? !bConnected : bConnected || !follow.contains(nId);
        };
        for (const CommandInfo& command : Commands())
            if (command.pszMenuText)
                QCOMPARE(Frame().Action(command.nId)->isEnabled(), expected(command.nId));
        for (QWidget* pControl : {static_cast<QWidget*>(&View().Tree()), static_cast<QWidget*>(&View().ResultList())}) {
            std::map<int, bool> states;  // as they are when the menu opens
            QTimer::singleShot(0, [&] {
                if (auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    for (QAction* pAction : pMenu->actions())
                        if (!pAction->isSeparator())
                            states[pAction->data().toInt()] = pAction->isEnabled();
                    pMenu->close();
                }
            });
            emit pControl->customContextMenuRequested(QPoint(5, 5));
            QCOMPARE(states.size(), std::size_t(11));
            for (const auto& [nId, bEnabled] : states)
                QCOMPARE(bEnabled, expected(nId));
        }
    }

private slots:
    void startupConnectsAndClosingLogsOff()
    {
        bool bSplashStayed = false;
        m_pScript->Add([&](QDialog& dialog) {
            QVERIFY(qobject_cast<CStartDialog*>(&dialog));
            QCOMPARE(MessageLine(), QString("Connect to database!"));
            QCOMPARE(dialog.size(), QSize(399, 266));
            QVERIFY(!dialog.cursor().pixmap().isNull());  // the hand
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QTest::keyClick(&dialog, Qt::Key_Return);
            QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(200, 100));
            bSplashStayed = dialog.isVisible();  // left alone, it closes itself
        });
        m_pScript->Add(Logon("LUMIDEX", "hr", "hr"));
        Launch();
        QVERIFY(bSplashStayed);
        QCOMPARE(m_pDesktop->arrOpened, std::vector<QUrl>({WebPageUrl(ID_LINKS_HOMEPAGE)}));
        QCOMPARE(MessageLine(), QString("Connect succeeded!"));
        QVERIFY(m_pDesktop->arrMessages.empty());
        QCOMPARE(m_pDesktop->arrBeeps, std::vector<unsigned>({0xFFFFFFFF}));

        View().RunQueryToList("select pg_backend_pid()");
        const std::string strAlive = "SELECT count(*) FROM pg_stat_activity WHERE pid = " + Cell(0, 0).toStdString();
        QVERIFY2(testfixture::AdminValue(strAlive) == "1", qPrintable(MessageLine()));
        Frame().close();
        QCOMPARE(MessageLine(), QString("Disconnect succeded!"));
        QCOMPARE(m_pDesktop->arrBeeps.size(), 3u);
        QTRY_VERIFY(testfixture::AdminValue(strAlive) == "0");
        m_pApp.reset();
        QCOMPARE(m_pDesktop->arrBeeps.size(), 3u);  // logged off once only
    }

    void wrongPasswordThreeTimesThenCancel()
    {
        QStringList arrFields;
        m_pScript->Add(CloseSplash);
        for (int i = 0; i < 3; ++i)
            m_pScript->Add([&](QDialog& dialog) {
                arrFields << dialog.findChild<QComboBox*>("IDC_DATABASE")->currentText()
                          << dialog.findChild<QLineEdit*>("IDC_USER")->text()
                          << dialog.findChild<QLineEdit*>("IDC_PASSWORD")->text();
                Logon("LUMIDEX", "hr", "wrong")(dialog);
            });
        m_pScript->Add(CancelDialog);
        Launch();

        QCOMPARE(m_pDesktop->arrMessages.size(), 3u);
        const TestDesktop::MessageRecord& message = m_pDesktop->arrMessages.back();
        QVERIFY(message.buttons == QMessageBox::Ok && message.strText.startsWith("ORA-01017"));
        QCOMPARE(arrFields, QStringList({"LUMIDEX", "", "", "LUMIDEX", "hr", "", "LUMIDEX", "hr", ""}));
    }

    // Keys of commands off do nothing; Connect, even cancelled, empties the list, Disconnect keeps it.
    void commandsFollowTheConnection()
    {
        Start();
        const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
        ExpectConnected(false);
        for (int nKey : {Qt::Key_F5, Qt::Key_F8, Qt::Key_F9})
            PressKey(View().Tree(), nKey);
        PressKey(View().Tree(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_pDesktop->arrBeeps.size(), nBeeps);
        QCOMPARE(MessageLine(), QString("Connect to database!"));

        m_pScript->Add(Logon("LUMIDEX", "hr", "hr"));
        PressKey(View().Tree(), Qt::Key_F7);
        QCOMPARE(MessageLine(), QString("Connect succeeded!"));
        ExpectConnected(true);
        const qsizetype nShown = m_pScript->Shown().size();
        PressKey(View().Tree(), Qt::Key_F7);
        QCOMPARE(m_pScript->Shown().size(), nShown);

        View().RunQueryToList("select * from hr.departments");
        PressKey(View().Tree(), Qt::Key_F8);
        QCOMPARE(MessageLine(), QString("Disconnect succeded!"));
        ExpectConnected(false);
        QVERIFY(Model().rowCount() > 0);
        m_pScript->Add(CancelDialog);
        Frame().OnCommand(ID_DATABASE_CONNECT);
        QCOMPARE(Model().columnCount(), 0);
        QCOMPARE(MessageLine(), QString("Connect to database!"));
        Frame().close();
        QCOMPARE(MessageLine(), QString("Disconnect succeded!"));  // closing disconnected still says so
    }

    void missingOciLibrary()
    {
        testfixture::ScopedEnv library("LUMIDEX_OCI_LIBRARY", (m_pFolder->path() + "/no-such.so").toStdString());
        m_pScript->Add(CloseSplash);
        m_pScript->Add(Logon("LUMIDEX", "hr", "hr"));
        m_pScript->Add(CancelDialog);
        Launch();
        QCOMPARE(m_pDesktop->arrMessages.size(), 2u);  // their texts: tests/document/DocumentTest.cpp
        QCOMPARE(m_pDesktop->arrMessages[0].nVisibleWindows, 0);  // before the window
    }

    // The texts themselves are the command table's; what could go astray is the wiring.
    void windowWiringAndLayout()
    {
        Start();
        QCOMPARE(Frame().windowTitle(), QString("Untitled - Lumidex"));
        for (const CommandInfo& command : Commands())
            QVERIFY2(Frame().Action(command.nId), command.pszName);
        const QList<QAction*> arrMenus = Frame().menuBar()->actions();
        QCOMPARE(arrMenus.size(), qsizetype(MainMenu().size()));
        QStringList arrDatabase;
        for (const QAction* pAction : arrMenus[1]->menu()->actions())
            arrDatabase << pAction->text();
        QCOMPARE(arrDatabase, QStringList({"&Refresh\tF5", "&Connect\tF7", "D&isconnect\tF8", "View &Data\tF9",
                                           "&SQL statement ...\tCtrl+E"}));
        QCOMPARE(Frame().ToolBar()->actions().size(), qsizetype(ToolbarButtons().size()));
        QCOMPARE(Frame().ToolBar()->iconSize(), QSize(16, 15));
        QStringList arrPanes;
        for (QLabel* pLabel : Frame().statusBar()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            arrPanes.append(pLabel->objectName().isEmpty() ? pLabel->text() : pLabel->objectName());
        QCOMPARE(arrPanes, QStringList({"For Help, press F1", "CAP", "NUM", "SCRL"}));

        // A prompt shows in the message pane while it lasts.
        QWidget* pButton = Frame().ToolBar()->widgetForAction(Frame().Action(ID_DATABASE_CONNECT));
        QStatusTipEvent tip(Frame().Action(ID_DATABASE_CONNECT)->statusTip());
        QCoreApplication::sendEvent(pButton, &tip);
        QCOMPARE(Frame().statusBar()->currentMessage(), QString("Connect to database"));
        QStatusTipEvent none{QString()};
        QCoreApplication::sendEvent(pButton, &none);
        QCOMPARE(Frame().statusBar()->currentMessage(), QString());
        QVERIFY(Frame().statusBar()->findChild<QLabel*>()->isVisible());

        for (int nId : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
            QWidget* pBar = nId == ID_VIEW_TOOLBAR ? static_cast<QWidget*>(Frame().ToolBar()) : Frame().statusBar();
            for (bool bShown : {false, true}) {
                Frame().Action(nId)->trigger();
                QCOMPARE(pBar->isVisible(), bShown);
                QCOMPARE(Frame().Action(nId)->isChecked(), bShown);
            }
        }

        // Help from its key, button, main menu and context menu; a link that cannot open beeps.
        m_pDesktop->arrOpened.clear();  // the home page of start-up
        PressKey(View().Tree(), Qt::Key_F1);
        QTest::mouseClick(Frame().ToolBar()->widgetForAction(Frame().Action(ID_HELP)), Qt::LeftButton);
        Frame().Action(ID_HELP)->trigger();
        Frame().LoadPopupMenu()->actions().last()->trigger();
        QCOMPARE(m_pDesktop->arrOpened, std::vector<QUrl>(4, WebPageUrl(ID_HELP)));
        QVERIFY(WebPageUrl(ID_HELP).isLocalFile());
        m_pDesktop->bOpenSucceeds = false;
        Frame().Action(ID_LINKS_GOOGLE)->trigger();
        QCOMPARE(m_pDesktop->arrBeeps.back(), 0u);
        QCOMPARE(m_pDesktop->arrOpened.back(), QUrl("https://www.google.com/"));

        QLineEdit& message = View().MessageLine();  // the edit keys do nothing
        QGuiApplication::clipboard()->setText("before");
        message.selectAll();
        PressKey(message, Qt::Key_C, Qt::ControlModifier);
        PressKey(message, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
        QCOMPARE(message.text(), QString("Connect to database!"));

        // The form's layout and tab order; the pictures built in.
        View().resize(1000, 600);
        QCOMPARE(View().Tree().geometry(), QRect(0, 0, 300, 580));
        QCOMPARE(View().ResultList().geometry(), QRect(300, 0, 700, 580));
        QCOMPARE(View().MessageLine().geometry(), QRect(0, 580, 1000, 20));
        View().resize(250, 400);
        QCOMPARE(View().Tree().geometry(), QRect(0, 0, 300, 380));
        QCOMPARE(View().ResultList().width(), 0);
        QCOMPARE(View().MessageLine().geometry(), QRect(0, 380, 250, 20));

        QCOMPARE(View().MessageLine().nextInFocusChain(), static_cast<QWidget*>(&View().ResultList()));
        QWidget* pAfterList = View().ResultList().nextInFocusChain();
        while (pAfterList && pAfterList->parentWidget() != &View())
            pAfterList = pAfterList->nextInFocusChain();
        QCOMPARE(pAfterList, static_cast<QWidget*>(&View().Tree()));

        QCOMPARE(SplashBitmap().size(), QSize(399, 266));
        QCOMPARE(MainIcon().availableSizes(), QList<QSize>({QSize(32, 32)}));
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(ToolbarImage(i % 5).size(), QSize(16, 15));
            QCOMPARE(TreeImage(i).size(), QSize(16, 15));
            QCOMPARE(TreeImage(i).toImage().pixelColor(15, 0).alpha(), 0);  // light grey is see-through
        }
    }
};

GUI_TEST_MAIN(FrameTest, true)

#include "FrameTest.moc"
