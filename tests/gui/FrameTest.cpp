// The main window built from the command table: menus, toolbar, status bar, the View
// toggles, the help keys, the dead edit keys, the form's layout and tab order.

#include "gui/ResourceImages.h"
#include "gui/WebPages.h"
#include "res/resource.h"
#include "tests/gui/ProgramTest.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QTreeWidget>

namespace {

QStringList Texts(const QList<QAction*>& arrActions)
{
    QStringList arrTexts;
    for (const QAction* pAction : arrActions)
        arrTexts.append(pAction->isSeparator() ? QString("-") : pAction->text());
    return arrTexts;
}

}  // namespace

class FrameTest : public ProgramTest {
    Q_OBJECT

    QString m_strFirstMessage;

    void PressKey(QWidget* pTarget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        pTarget->setFocus();
        QTest::keyClick(pTarget, key, modifiers);
    }

private slots:
    void initTestCase()
    {
        m_bOnce = true;
        Fresh();
        m_pScript->Add([this](QDialog& dialog) {
            m_strFirstMessage = MessageLine();
            CloseSplash(dialog);
        });
        m_pScript->Add(CancelDialog);
        Launch();
    }

    void titleAndFirstMessage()
    {
        QCOMPARE(Frame().windowTitle(), QString("Untitled - Lumidex"));
        QCOMPARE(m_strFirstMessage, QString("Connect to database!"));
    }

    void mainMenu()
    {
        QStringList arrTitles;
        QList<QStringList> arrItems;
        for (QAction* pMenu : Frame().menuBar()->actions()) {
            arrTitles.append(pMenu->text());
            arrItems.append(Texts(pMenu->menu()->actions()));
        }
        QCOMPARE(arrTitles, QStringList({"&File", "&Database", "&Links", "Se&tup", "&View", "&Help"}));
        QCOMPARE(arrItems[0], QStringList({"Save XML &data ...\tCtrl+S", "Save &CSV data ...\tCtrl+Shift+S", "-",
                                           "E&xit"}));
        QCOMPARE(arrItems[1], QStringList({"&Refresh\tF5", "&Connect\tF7", "D&isconnect\tF8",
                                           "View &Data\tF9", "&SQL statement ...\tCtrl+E"}));
        QCOMPARE(arrItems[2], QStringList({"&Norvane", "Norvane &download", "-", "&Oracle",
                                           "Oracle &technet", "Oracle &metalink", "-", "&Google"}));
        QCOMPARE(arrItems[3], QStringList({"&Configuration"}));
        QCOMPARE(arrItems[4], QStringList({"&Toolbar", "&Status Bar"}));
        QCOMPARE(arrItems[5], QStringList({"&Help Topics", "-", "&About Lumidex..."}));
        QCOMPARE(Frame().Action(ID_DATABASE_VIEWDATA)->statusTip(), QString("View data in tables and views"));
        QCOMPARE(Frame().Action(ID_APP_EXIT)->toolTip(), QString("Exit"));
        QCOMPARE(Frame().Action(ID_DATABASE_SQL)->statusTip(), QString("Run a statement of your own"));
        QCOMPARE(Frame().Action(ID_DATABASE_SQL)->toolTip(), QString("SQL statement"));
        QCOMPARE(Frame().Action(ID_FILE_SAVE_CSV)->statusTip(), QString("Save the list as comma-separated values"));
        QCOMPARE(Frame().Action(ID_FILE_SAVE_CSV)->toolTip(), QString("Save CSV"));
    }

    void contextMenuFromTheTable()
    {
        const std::unique_ptr<QMenu> pMenu = Frame().LoadPopupMenu();
        QCOMPARE(Texts(pMenu->actions()),
                 QStringList({"&Refresh", "View &Data", "-", "Save &XML data ...", "-", "&Connect",
                              "D&isconnect", "-", "&Norvane", "Norvane &download", "-", "&Oracle",
                              "Oracle &technet", "Oracle &metalink", "-", "&Help Topics"}));
        m_pDesktop->arrOpened.clear();
        pMenu->actions().last()->trigger();
        QCOMPARE(m_pDesktop->arrOpened, std::vector<QUrl>({WebPageUrl(ID_HELP)}));
        pMenu->actions()[6]->trigger();  // Disconnect, disabled while not connected
        QCOMPARE(MessageLine(), QString("Connect to database!"));
    }

    void toolbarAndStatusBar()
    {
        QStringList arrTips;
        for (QAction* pAction : Frame().ToolBar()->actions())
            arrTips.append(pAction->isSeparator() ? QString("-") : pAction->toolTip());
        QCOMPARE(arrTips, QStringList({"Connect", "Disconnect", "-", "View data", "Refresh data", "-", "Help"}));
        QCOMPARE(Frame().ToolBar()->iconSize(), QSize(16, 15));

        QStringList arrPanes;
        for (QLabel* pLabel : Frame().statusBar()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            arrPanes.append(pLabel->objectName().isEmpty() ? pLabel->text() : pLabel->objectName());
        QCOMPARE(arrPanes, QStringList({"For Help, press F1", "CAP", "NUM", "SCRL"}));
    }

    void promptsInTheMessagePane()
    {
        QWidget* pButton = Frame().ToolBar()->widgetForAction(Frame().Action(ID_DATABASE_CONNECT));
        QStatusTipEvent tip(Frame().Action(ID_DATABASE_CONNECT)->statusTip());
        QCoreApplication::sendEvent(pButton, &tip);
        QCOMPARE(Frame().statusBar()->currentMessage(), QString("Connect to database"));
        QStatusTipEvent none{QString()};
        QCoreApplication::sendEvent(pButton, &none);
        QCOMPARE(Frame().statusBar()->currentMessage(), QString());
        QVERIFY(Frame().statusBar()->findChild<QLabel*>()->isVisible());
    }

    void viewTogglesFollowTheCheckMark()
    {
        for (int nId : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
            QWidget* pBar = nId == ID_VIEW_TOOLBAR ? static_cast<QWidget*>(Frame().ToolBar())
                                                   : Frame().statusBar();
            QAction* pAction = Frame().Action(nId);
            QVERIFY(pAction->isChecked());
            pAction->trigger();
            QVERIFY(!pBar->isVisible());
            QVERIFY(!pAction->isChecked());
            pAction->trigger();
            QVERIFY(pBar->isVisible());
            QVERIFY(pAction->isChecked());
        }
    }

    void helpFromKeyButtonAndMenu()
    {
        m_pDesktop->arrOpened.clear();
        PressKey(&View().Tree(), Qt::Key_F1);
        QTest::mouseClick(Frame().ToolBar()->widgetForAction(Frame().Action(ID_HELP)), Qt::LeftButton);
        Frame().Action(ID_HELP)->trigger();
        QCOMPARE(m_pDesktop->arrOpened, std::vector<QUrl>(3, WebPageUrl(ID_HELP)));
        QVERIFY(WebPageUrl(ID_HELP).isLocalFile());

        m_pDesktop->bOpenSucceeds = false;
        m_pDesktop->arrBeeps.clear();
        Frame().Action(ID_LINKS_GOOGLE)->trigger();
        m_pDesktop->bOpenSucceeds = true;
        QCOMPARE(m_pDesktop->arrBeeps, std::vector<unsigned>({0}));
        QCOMPARE(m_pDesktop->arrOpened.back(), QUrl("https://www.google.com/"));
    }

    void editKeysDoNothing()
    {
        QLineEdit& message = View().MessageLine();
        QGuiApplication::clipboard()->setText("before");
        message.selectAll();
        PressKey(&message, Qt::Key_C, Qt::ControlModifier);
        PressKey(&message, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
        QCOMPARE(message.text(), QString("Connect to database!"));
    }

    void layout()
    {
        View().resize(1000, 600);
        QCOMPARE(View().Tree().geometry(), QRect(0, 0, 300, 580));
        QCOMPARE(View().ResultList().geometry(), QRect(300, 0, 700, 580));
        QCOMPARE(View().MessageLine().geometry(), QRect(0, 580, 1000, 20));
        View().resize(250, 400);
        QCOMPARE(View().Tree().geometry(), QRect(0, 0, 300, 380));
        QCOMPARE(View().ResultList().width(), 0);
        QCOMPARE(View().MessageLine().geometry(), QRect(0, 380, 250, 20));
        Frame().adjustSize();
    }

    void picturesAreBuiltIn()
    {
        QCOMPARE(SplashBitmap().size(), QSize(399, 266));
        QCOMPARE(MainIcon().availableSizes(), QList<QSize>({QSize(32, 32)}));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(ToolbarImage(i).size(), QSize(16, 15));
        for (int i = 0; i < 12; ++i) {
            const QPixmap image = TreeImage(i);
            QCOMPARE(image.size(), QSize(16, 15));
            QVERIFY(!image.mask().isNull());
            QVERIFY(image.toImage().pixelColor(15, 0).alpha() == 0);  // light grey is see-through
        }
        QCOMPARE(HandCursor().shape(), Qt::BitmapCursor);
        QVERIFY(!HandCursor().pixmap().isNull());
    }

    void tabOrder()
    {
        QCOMPARE(View().MessageLine().nextInFocusChain(), static_cast<QWidget*>(&View().ResultList()));
        QWidget* pAfterList = View().ResultList().nextInFocusChain();
        while (pAfterList && pAfterList->parentWidget() != &View())
            pAfterList = pAfterList->nextInFocusChain();
        QCOMPARE(pAfterList, static_cast<QWidget*>(&View().Tree()));
    }
};

std::unique_ptr<QObject> MakeFrameTest() { return std::make_unique<FrameTest>(); }

#include "FrameTest.moc"
