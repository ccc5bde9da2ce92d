// The main window built from the command table: menus, bars, prompts and toggles, the help
// keys, the dead edit keys, the form's layout and tab order, the built-in pictures.

#include "gui/ResourceImages.h"
#include "res/CommandTable.h"
#include "tests/gui/ProgramTest.h"

#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>

class FrameTest : public ProgramTest {
    Q_OBJECT

private slots:
    void init()
    {
        Fresh();
        Start();
    }

    // The texts themselves are the command table's; what could go astray is the wiring.
    void menusBarsAndToggles()
    {
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
    }

    // Help from its key, button, main menu and context menu; a link that cannot open beeps.
    // The edit keys do nothing.
    void helpAndDeadEditKeys()
    {
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

        QLineEdit& message = View().MessageLine();
        QGuiApplication::clipboard()->setText("before");
        message.selectAll();
        PressKey(message, Qt::Key_C, Qt::ControlModifier);
        PressKey(message, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
        QCOMPARE(message.text(), QString("Connect to database!"));
    }

    void layoutAndTabOrder()
    {
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
    }

    void picturesAreBuiltIn()
    {
        QCOMPARE(SplashBitmap().size(), QSize(399, 266));
        QVERIFY(!HandCursor().pixmap().isNull());
        QCOMPARE(MainIcon().availableSizes(), QList<QSize>({QSize(32, 32)}));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(ToolbarImage(i).size(), QSize(16, 15));
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(TreeImage(i).size(), QSize(16, 15));
            QCOMPARE(TreeImage(i).toImage().pixelColor(15, 0).alpha(), 0);  // light grey is see-through
        }
    }
};

GUI_TEST_MAIN(FrameTest, false)

#include "FrameTest.moc"
