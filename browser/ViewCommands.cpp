// The view's database commands and Save XML data: each hands its work to an operation of
// document/ or export/ and shows the outcome; and the start-up timer that leads to the
// first Connect.

#include "browser/CLumidexView.h"
#include "browser/CSqlStatementWindow.h"
#include "controls/CSortListCtrl.h"
#include "document/Connection.h"
#include "document/LumidexDoc.h"
#include "document/QueryToList.h"
#include "export/SaveXmlData.h"
#include "gui/Desktop.h"
#include "gui/ViewHost.h"
#include "gui/WaitCursor.h"
#include "res/resource.h"
#include "settings/ConnectDialog.h"
#include "settings/LumidexSettings.h"

#include <QFile>
#include <QUrl>

#include <functional>
#include <optional>
#include <string>

namespace {

QString FromLocal(const std::string& strText) { return QString::fromLocal8Bit(strText); }

std::string ToLocal(const QString& strText) { return strText.toLocal8Bit().toStdString(); }

}  // namespace

// The Connect loop's questions, answered with the Connect dialog; the wait cursor shows
// from a confirmed dialog until the next one opens.
class CLumidexView::DialogPrompt final : public document::ConnectPrompt {
public:
    explicit DialogPrompt(CLumidexView& view) : m_view(view) {}

    bool AskLogon(document::LogonRequest* pRequest) override
    {
        m_wait.reset();
        if (m_dialog.exec() != QDialog::Accepted)
            return false;
        m_wait.emplace();
        pRequest->strDatabase = ToLocal(m_dialog.m_strDatabase);
        pRequest->strUser = ToLocal(m_dialog.m_strUser);
        pRequest->strPassword = ToLocal(m_dialog.m_strPassword);
        pRequest->nMode = m_dialog.GetMode();
        return true;
    }

    void ShowError(const std::string& strText) override { desktop::Message(m_view.window(), FromLocal(strText)); }

    void ShowMessageLine(const std::string& strText) override
    {
        m_view.m_strMessage = FromLocal(strText);
        m_view.UpdateData(false);
        desktop::Beep(desktop::kSimpleBeep);
    }

private:
    CLumidexView& m_view;
    ConnectDialog m_dialog{nullptr};
    std::optional<CWaitCursor> m_wait;
};

void CLumidexView::EmptyResultList() { m_pList->Model().Empty(); }

void CLumidexView::RunQueryToList(const QString& strStatement)
{
    CWaitCursor wait;
    UpdateData(true);
    m_strMessage = FromLocal(document::RunQueryToList(m_doc, ToLocal(strStatement), m_pList->Model(), [this] {
        return desktop::Message(window(), QString::fromLatin1(document::kReadAllQuestion),
                                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }));
    UpdateData(false);
    desktop::Beep(desktop::kSimpleBeep);
}

void CLumidexView::OnConnect()
{
    UpdateData(true);
    EmptyResultList();
    DialogPrompt prompt(*this);
    if (document::ConnectLoop(m_doc, prompt))
        m_bConnected = 1;
}

void CLumidexView::OnDisconnect()
{
    CWaitCursor wait;
    UpdateData(true);
    const document::Disconnected result = document::Disconnect(m_doc);
    m_strMessage = FromLocal(result.strMessage);
    if (result.bDisconnected)
        m_bConnected = 0;
    UpdateData(false);
    desktop::Beep(desktop::kSimpleBeep);
}

void CLumidexView::OnSaveXmlData()
{
    // Read while the current folder is still the one the settings file is named in.
    const xmlexport::SaveSwitches switches{settings::ReadSwitch(settings::Setting::Xsl),
                                           settings::ReadSwitch(settings::Setting::ViewXml)};
    RunSave(QStringLiteral("*.xml"), QStringLiteral("XML Files (*.xml);;All Files (*.*)"),
            [&](const xmlexport::FileChooser& chooseFile) {
                return xmlexport::SaveXmlData(m_pList->Model().Content(), switches, chooseFile);
            });
}

void CLumidexView::OnSaveCsvData()
{
    RunSave(QStringLiteral("*.csv"), QStringLiteral("CSV Files (*.csv);;All Files (*.*)"),
            [&](const xmlexport::FileChooser& chooseFile) {
                return xmlexport::SaveCsvData(m_pList->Model().Content(), chooseFile);
            });
}

void CLumidexView::RunSave(const QString& strInitial, const QString& strFilter,
                           const std::function<xmlexport::SaveOutcome(const xmlexport::FileChooser&)>& save)
{
    std::optional<CWaitCursor> wait;
    const xmlexport::SaveOutcome saved = save([&] {
        const QString strChosen = desktop::SaveFileName(this, strInitial, strFilter);
        if (!strChosen.isEmpty()) {
            UpdateData(true);
            wait.emplace();
        }
        return QFile::encodeName(strChosen).toStdString();
    });
    if (!saved.bChosen)
        return;
    const QString strDataPath = QFile::decodeName(saved.strDataPath.c_str());
    if (saved.bSaved && m_pHost)
        m_pHost->OnUpdateFrameTitle(strDataPath);
    m_strMessage = FromLocal(saved.strMessage);
    UpdateData(false);
    desktop::Beep(desktop::kDefaultBeep);
    if (saved.bOpen)
        desktop::OpenOrBeep(QUrl::fromLocalFile(strDataPath));
}

void CLumidexView::OnSqlStatement()
{
    if (!m_pSqlWindow)
        m_pSqlWindow = new CSqlStatementWindow(window(), [this](const QString& strStatement) {
            RunQueryToList(strStatement);
        });
    m_pSqlWindow->show();
    m_pSqlWindow->raise();
    m_pSqlWindow->activateWindow();
}

void CLumidexView::OnTimer(int nIDEvent)
{
    if (nIDEvent != IDT_STARTUP)
        return;
    m_timerStartup.stop();
    if (m_pHost)
        m_pHost->ShowSplash();
    OnConnect();
}

void CLumidexView::OnDestroy()
{
    // Closing the window may be asked for more than once; the session goes only once.
    if (m_bDestroyed)
        return;
    m_bDestroyed = true;
    m_timerStartup.stop();
    OnDisconnect();
}

void CLumidexView::OnUpdateConnect(CCmdUI& cmdUI) { cmdUI.Enable(!m_bConnected); }

void CLumidexView::OnUpdateNeedsConnection(CCmdUI& cmdUI) { cmdUI.Enable(m_bConnected != 0); }
