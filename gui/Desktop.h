#pragma once

// The one seam through which Lumidex shows message and question boxes, asks for a file
// name, beeps and opens addresses, so that tests can answer and observe all of them.

#include <QMessageBox>
#include <QString>
#include <QUrl>

class QWidget;

namespace desktop {

class Handler {
public:
    virtual ~Handler() = default;
    virtual QMessageBox::StandardButton Message(QWidget* pParent, const QString& strText,
                                                QMessageBox::StandardButtons buttons) = 0;
    virtual QString SaveFileName(QWidget* pParent, const QString& strDir, const QString& strFilter) = 0;
    virtual void Beep(unsigned nType) = 0;
    virtual bool Open(const QUrl& url) = 0;
};

// The text is shown under the application title, with an exclamation icon for OK boxes
// and a question icon for Yes/No boxes.
QMessageBox::StandardButton Message(QWidget* pParent, const QString& strText,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok);
QString SaveFileName(QWidget* pParent, const QString& strDir, const QString& strFilter);
void Beep(unsigned nType);
bool Open(const QUrl& url);

// Opens an address and sounds the default beep when it cannot be opened.
void OpenOrBeep(const QUrl& url);

// Null restores the real desktop.
void SetHandler(Handler* pHandler);

inline constexpr unsigned kSimpleBeep = 0xFFFFFFFF;
inline constexpr unsigned kDefaultBeep = 0;

}  // namespace desktop
