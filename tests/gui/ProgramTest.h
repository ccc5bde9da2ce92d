#pragma once

// Base of every GUI test class that runs the program: for each test function a scratch
// working folder (for Lumidex.ini), the answering desktop seam and the script for modal
// dialogs; and the program, started on demand.

#include "browser/CLumidexView.h"
#include "controls/CSortListCtrl.h"
#include "gui/WebPages.h"
#include "res/resource.h"
#include "shell/CLumidexApp.h"
#include "shell/CMainFrame.h"
#include "tests/gui/TestDesktop.h"
#include "tests/support/TestFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <memory>

class ProgramTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<ScratchFolder> m_pFolder;
    std::unique_ptr<TestDesktop> m_pDesktop;
    std::unique_ptr<ModalScript> m_pScript;
    std::unique_ptr<CLumidexApp> m_pApp;

    CMainFrame& Frame() { return *m_pApp->MainFrame(); }
    CLumidexView& View() { return *m_pApp->View(); }
    CResultListModel& Model() { return View().ResultList().Model(); }
    QString MessageLine() { return View().MessageLine().text(); }
    QString Cell(int nRow, int nColumn) { return Model().index(nRow, nColumn).data().toString(); }
    int ColumnOf(const QString& strHeader)
    {
        for (int i = 0; i < Model().columnCount(); ++i)
            if (Model().headerData(i, Qt::Horizontal).toString() == strHeader)
                return i;
        return -1;
    }

    // A key as the user presses it: the window active, the focus on the target.
    void PressKey(QWidget& target, int nKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        target.setFocus();
        QTest::keyClick(&target, static_cast<Qt::Key>(nKey), modifiers);
    }

    void Fresh()
    {
        m_pFolder = std::make_unique<ScratchFolder>();
        m_pDesktop = std::make_unique<TestDesktop>();
        m_pScript = std::make_unique<ModalScript>();
    }

    // Starts the program and waits until the script has run out.
    void Launch()
    {
        m_pApp = std::make_unique<CLumidexApp>();
        QVERIFY(m_pApp->InitInstance());
        QTRY_VERIFY_WITH_TIMEOUT(m_pScript->Done(), 15000);
    }

    // Past the splash, logged on as this user or, with none, the Connect dialog cancelled.
    void Start(const QString& strUser = {}, const QString& strPassword = {})
    {
        m_pScript->Add(CloseSplash);
        m_pScript->Add(strUser.isEmpty() ? ModalScript::Step(CancelDialog) : Logon("LUMIDEX", strUser, strPassword));
        Launch();
        if (!strUser.isEmpty())
            QCOMPARE(MessageLine(), QString("Connect succeeded!"));
    }

private slots:
    void init() { Fresh(); }

    void cleanup()
    {
        m_pApp.reset();
        m_pScript.reset();
        m_pDesktop.reset();
        m_pFolder.reset();
    }
};
