#pragma once

// Base of the test classes that run the whole program: a scratch working folder (for
// Lumidex.ini), the answering desktop seam, the script for modal dialogs, and the
// application, made afresh for every test function.

#include "browser/CLumidexView.h"
#include "shell/CLumidexApp.h"
#include "shell/CMainFrame.h"
#include "tests/gui/TestDesktop.h"

#include <QLineEdit>
#include <QObject>
#include <QTest>

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
    QString MessageLine() { return View().MessageLine().text(); }

    // Starts the program and waits until the script has run out.
    void Launch()
    {
        m_pApp = std::make_unique<CLumidexApp>();
        QVERIFY(m_pApp->InitInstance());
        QTRY_VERIFY_WITH_TIMEOUT(m_pScript->Done(), 15000);
    }

private slots:
    void init()
    {
        m_pFolder = std::make_unique<ScratchFolder>();
        m_pDesktop = std::make_unique<TestDesktop>();
        m_pScript = std::make_unique<ModalScript>();
    }

    void cleanup()
    {
        m_pApp.reset();
        m_pScript.reset();
        m_pDesktop.reset();
        m_pFolder.reset();
    }
};
