#pragma once

// Afresh for each GUI test function: a scratch working folder, the desktop seam recording and
// answering every box, beep and open request, a script of steps for the modal dialogs, the program.

#include "browser/CLumidexView.h"
#include "controls/CSortListCtrl.h"
#include "gui/Desktop.h"
#include "gui/WebPages.h"
#include "res/resource.h"
#include "shell/CLumidexApp.h"
#include "shell/CMainFrame.h"
#include "tests/support/TestFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <deque>
#include <functional>

class TestDesktop final : public desktop::Handler {
public:
    struct MessageRecord {
        QString strText;
        QMessageBox::StandardButtons buttons;
        int nVisibleWindows;  // top-level windows on screen when the box came
    };

    TestDesktop() { desktop::SetHandler(this); }
    ~TestDesktop() override { desktop::SetHandler(nullptr); }

    QMessageBox::StandardButton Message(QWidget*, const QString& strText, QMessageBox::StandardButtons buttons) override
    {
        const auto nVisible = std::ranges::count_if(QApplication::topLevelWidgets(), &QWidget::isVisible);
        arrMessages.push_back({strText, buttons, static_cast<int>(nVisible)});
        return buttons.testFlag(QMessageBox::Yes) ? answer : QMessageBox::Ok;
    }
    QString SaveFileName(QWidget*, const QString& strDir, const QString& strFilter) override
    {
        arrSaveDialogs.push_back(strDir + "|" + strFilter);
        return strSaveName;
    }
    void Beep(unsigned nType) override { arrBeeps.push_back(nType); }
    bool Open(const QUrl& url) override
    {
        arrOpened.push_back(url);
        return bOpenSucceeds;
    }

    std::vector<MessageRecord> arrMessages;
    QMessageBox::StandardButton answer = QMessageBox::Yes;  // to questions; other boxes get OK
    std::vector<unsigned> arrBeeps;
    std::vector<QUrl> arrOpened;
    QString strSaveName;         // typed into every Save dialog; empty: cancelled
    QStringList arrSaveDialogs;  // initial name and filter of each Save dialog
    bool bOpenSucceeds = true;
};

class ModalScript : public QObject {
public:
    using Step = std::function<void(QDialog&)>;

    ModalScript() { qApp->installEventFilter(this); }
    ~ModalScript() override { qApp->removeEventFilter(this); }

    void Add(Step step) { m_arrSteps.push_back(std::move(step)); }
    bool Done() const { return m_arrSteps.empty() && m_nPending == 0; }
    const QStringList& Shown() const { return m_arrShown; }  // each dialog shown, in order

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    std::deque<Step> m_arrSteps;
    int m_nPending = 0;  // dialogs shown that their step has not reached yet
    QStringList m_arrShown;
};

// The main of one GUI test class: offscreen, on the test cluster's tnsnames.ora and libocipg.
int RunGuiTest(int argc, char** argv, bool bNeedsCluster, QObject* (*create)());
#define GUI_TEST_MAIN(TestClass, bNeedsCluster)  \
    QObject* MakeTest() { return new TestClass; } \
    int main(int argc, char** argv) { return RunGuiTest(argc, argv, bNeedsCluster, MakeTest); }

// Lets the event loop wait once, as between user actions: the frame updates its commands then.
void GoIdle();

// A file's bytes, empty when it does not exist; a file written anew.
QByteArray ReadFile(const QString& strPath);
void WriteFile(const QString& strPath, const QByteArray& text);

// Steps for the dialogs of start-up.
void CloseSplash(QDialog& dialog);
ModalScript::Step Logon(const QString& strDatabase, const QString& strUser, const QString& strPassword);
void CancelDialog(QDialog& dialog);

class ProgramTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<QTemporaryDir> m_pFolder;  // the current folder, so ./Lumidex.ini starts absent
    std::unique_ptr<TestDesktop> m_pDesktop;
    std::unique_ptr<ModalScript> m_pScript;
    std::unique_ptr<CLumidexApp> m_pApp;

    CMainFrame& Frame() { return *m_pApp->MainFrame(); }
    CLumidexView& View() { return *m_pApp->View(); }
    CResultListModel& Model() { return View().ResultList().Model(); }
    QString MessageLine() { return View().MessageLine().text(); }
    QString Cell(int nRow, int nColumn) { return Model().index(nRow, nColumn).data().toString(); }
    QStringList Headers()
    {
        QStringList arrHeaders;
        for (int i = 0; i < Model().columnCount(); ++i)
            arrHeaders << Model().headerData(i, Qt::Horizontal).toString();
        return arrHeaders;
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
        m_pFolder = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(m_pFolder->path());
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
        QDir::setCurrent(QDir::tempPath());
        m_pFolder.reset();
    }
};
