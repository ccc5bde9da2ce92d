#pragma once

// What the GUI tests put behind the desktop seam: every message box, beep and open request
// is recorded and answered as set; and a script of steps, one per modal dialog shown, run
// from inside that dialog's event loop.

#include "gui/Desktop.h"

#include <QDialog>
#include <QDir>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <vector>

class TestDesktop final : public desktop::Handler {
public:
    struct MessageRecord {
        QString strText;
        QMessageBox::StandardButtons buttons;
        int nVisibleWindows;  // top-level windows on screen when the box came
    };

    TestDesktop() { desktop::SetHandler(this); }
    ~TestDesktop() override { desktop::SetHandler(nullptr); }

    QMessageBox::StandardButton Message(QWidget* pParent, const QString& strText,
                                        QMessageBox::StandardButtons buttons) override;
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

    ModalScript();
    ~ModalScript() override;

    void Add(Step step) { m_arrSteps.push_back(std::move(step)); }
    bool Done() const { return m_arrSteps.empty() && m_nPending == 0; }
    // Each dialog shown, in order (one entry per showing).
    const QStringList& Shown() const { return m_arrShown; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    std::deque<Step> m_arrSteps;
    int m_nPending = 0;  // dialogs shown that their step has not reached yet
    QStringList m_arrShown;
};

// Lets the event loop wait for events once, as the program does between user actions; the
// frame brings its commands up to date then.
void GoIdle();

// Steps for the dialogs of start-up.
void CloseSplash(QDialog& dialog);
ModalScript::Step Logon(const QString& strDatabase, const QString& strUser, const QString& strPassword);
void CancelDialog(QDialog& dialog);

// A fresh current folder for one test, so that ./Lumidex.ini starts absent.
class ScratchFolder {
public:
    ScratchFolder() { QDir::setCurrent(m_folder.path()); }
    ~ScratchFolder() { QDir::setCurrent(m_strPrevious); }
    QString Path() const { return m_folder.path(); }
    // The settings file's text; empty when it does not exist.
    QByteArray Settings() const;
    void Write(const QString& strName, const QByteArray& text) const;

private:
    QTemporaryDir m_folder;
    QString m_strPrevious = QDir::currentPath();
};
