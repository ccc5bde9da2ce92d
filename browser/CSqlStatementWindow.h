#pragma once

// The statement window: a statement of the user's own, run into the view's list as any
// listing is. Owned by the main window and kept above it, not modal; closing hides it,
// so showing it again brings back its text.

#include "document/StatementText.h"

#include <QDialog>

#include <functional>

class QPlainTextEdit;
class QPushButton;

class CSqlStatementWindow : public QDialog {
    Q_OBJECT
public:
    // run: what a statement goes to; it is given the text to run, never empty.
    CSqlStatementWindow(QWidget* pOwner, std::function<void(const QString&)> run);

    QPlainTextEdit& Editor() { return *m_pEditor; }

    // The selection when there is one, else the whole text, made ready to run; an empty
    // text runs nothing and beeps.
    void OnRun();

    // Close and Escape hide it and give the keys back to the main window.
    void reject() override;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    // Alt+Up and Alt+Down: the statements run before, older or newer.
    void StepHistory(bool bOlder);

    QPlainTextEdit* m_pEditor;
    std::function<void(const QString&)> m_run;
    StatementHistory m_history;
};
