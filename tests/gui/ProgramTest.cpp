#include "tests/gui/ProgramTest.h"

#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QTimer>

#include <cstdio>

int RunGuiTest(int argc, char** argv, bool bNeedsCluster, QObject* (*create)())
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("TNS_ADMIN", testfixture::TnsAdmin().c_str(), 1);
    setenv("LUMIDEX_OCI_LIBRARY", testfixture::OcipgLibrary(), 1);
    QApplication application(argc, argv);
    if (const std::string strProblem = bNeedsCluster ? testfixture::ClusterProblem() : ""; !strProblem.empty()) {
        std::fputs(strProblem.c_str(), stderr);
        return 1;
    }
    const std::unique_ptr<QObject> pTests(create());
    return QTest::qExec(pTests.get(), argc, argv);
}

bool ModalScript::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    auto* pDialog = pEvent->type() == QEvent::Show ? qobject_cast<QDialog*>(pWatched) : nullptr;
    if (!pDialog || !pDialog->isModal())
        return false;
    ++m_nPending;
    m_arrShown.append(QString::fromLatin1(pDialog->metaObject()->className()));
    // Act once the dialog's own loop runs, as a user would.
    QTimer::singleShot(0, this, [this, pShown = QPointer<QDialog>(pDialog)] {
        --m_nPending;
        if (!pShown || m_arrSteps.empty())
            return;
        const Step step = std::move(m_arrSteps.front());
        m_arrSteps.pop_front();
        step(*pShown);
    });
    return false;
}

void GoIdle()
{
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

// Stands for the four seconds passing; the splash's own timer would end it the same way.
void CloseSplash(QDialog& dialog) { dialog.done(QDialog::Accepted); }

ModalScript::Step Logon(const QString& strDatabase, const QString& strUser, const QString& strPassword)
{
    return [=](QDialog& dialog) {
        dialog.findChild<QComboBox*>("IDC_DATABASE")->setEditText(strDatabase);
        dialog.findChild<QLineEdit*>("IDC_USER")->setText(strUser);
        dialog.findChild<QLineEdit*>("IDC_PASSWORD")->setText(strPassword);
        dialog.findChild<QPushButton*>("IDOK")->click();
    };
}

void CancelDialog(QDialog& dialog) { dialog.findChild<QPushButton*>("IDCANCEL")->click(); }

QByteArray ReadFile(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& strPath, const QByteArray& text)
{
    QFile file(strPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
}
