#include "gui/Desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>

namespace desktop {
namespace {

class RealDesktop final : public Handler {
public:
    QMessageBox::StandardButton Message(QWidget* pParent, const QString& strText,
                                        QMessageBox::StandardButtons buttons) override
    {
        const QMessageBox::Icon icon =
            buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Question : QMessageBox::Warning;
        QMessageBox box(icon, QApplication::applicationName(), strText, buttons, pParent);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    QString SaveFileName(QWidget* pParent, const QString& strDir, const QString& strFilter) override
    {
        return QFileDialog::getSaveFileName(pParent, QString(), strDir, strFilter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }

    void Beep(unsigned) override { QApplication::beep(); }

    bool Open(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

RealDesktop g_real;
Handler* g_pHandler = &g_real;

}  // namespace

QMessageBox::StandardButton Message(QWidget* pParent, const QString& strText,
                                    QMessageBox::StandardButtons buttons)
{
    return g_pHandler->Message(pParent, strText, buttons);
}

QString SaveFileName(QWidget* pParent, const QString& strDir, const QString& strFilter)
{
    return g_pHandler->SaveFileName(pParent, strDir, strFilter);
}

void Beep(unsigned nType) { g_pHandler->Beep(nType); }

bool Open(const QUrl& url) { return g_pHandler->Open(url); }

void OpenOrBeep(const QUrl& url)
{
    if (!Open(url))
        Beep(kDefaultBeep);
}

void SetHandler(Handler* pHandler) { g_pHandler = pHandler ? pHandler : &g_real; }

}  // namespace desktop
