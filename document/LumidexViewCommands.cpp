// The view's database commands: running a statement into the result list, connecting
// and disconnecting, and the start-up timer that leads to the first Connect.

#include "browser/CLumidexView.h"
#include "controls/CSortListCtrl.h"
#include "document/LumidexDoc.h"
#include "gui/Desktop.h"
#include "gui/ViewHost.h"
#include "gui/WaitCursor.h"
#include "res/resource.h"
#include "settings/ConnectDialog.h"

#include <string>
#include <vector>

namespace {

constexpr int kRowsBeforeQuestion = 1000;

QString FromLocal(const std::string& strText) { return QString::fromLocal8Bit(strText); }

}  // namespace

void CLumidexView::EmptyResultList()
{
    CResultListModel& model = m_pList->Model();
    model.DeleteAllItems();
    model.DeleteAllColumns();
}

void CLumidexView::RunQueryToList(const QString& strStatement)
{
    CWaitCursor wait;
    UpdateData(true);
    EmptyResultList();

    int nIsQuery = 0;
    int nColumnCount = 0;
    int nRowCount = 0;
    std::vector<std::string> arrNames;
    if (m_doc.Execute(strStatement.toLocal8Bit().toStdString(), &nIsQuery, &nColumnCount,
                      &nRowCount) != SR_SUCCESS) {
        m_strMessage = FromLocal(m_doc.GetMessageText());
    } else if (!nIsQuery) {
        m_strMessage = QStringLiteral("Execute succeeded! Rows changed %1").arg(nRowCount);
    } else if (m_doc.DescribeColumns(nColumnCount, &arrNames) != SR_SUCCESS) {
        m_strMessage = FromLocal(m_doc.GetMessageText());
    } else {
        CResultListModel& model = m_pList->Model();
        model.SetColumns(arrNames);
        bool bAsk = true;
        bool bStopped = false;
        std::vector<std::string> arrValues;
        int nResult = m_doc.FetchRow(nColumnCount, &arrValues);
        while (nResult == SR_SUCCESS) {
            model.AppendRow(arrValues);
            if (bAsk && model.Content().RowCount() == kRowsBeforeQuestion) {
                model.Publish();
                if (desktop::Message(window(),
                                     QStringLiteral("You have read 1000 rows do you want to read all?"),
                                     QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
                    bStopped = true;
                    break;
                }
                bAsk = false;
            }
            nResult = m_doc.FetchRow(nColumnCount, &arrValues);
        }
        model.Publish();
        if (bStopped || nResult == SR_NO_DATA)
            m_strMessage = QStringLiteral("Rows %1").arg(model.Content().RowCount());
        else
            m_strMessage = FromLocal(m_doc.GetMessageText());
    }

    UpdateData(false);
    desktop::Beep(desktop::kSimpleBeep);
}

void CLumidexView::OnConnect()
{
    UpdateData(true);
    EmptyResultList();
    ConnectDialog dialog(nullptr);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted) {
            m_strMessage = QStringLiteral("Connect to database!");
            UpdateData(false);
            desktop::Beep(desktop::kSimpleBeep);
            break;
        }
        CWaitCursor wait;
        const SessionResult nResult = m_doc.Connect(dialog.m_strDatabase.toLocal8Bit().toStdString(),
                                                    dialog.m_strUser.toLocal8Bit().toStdString(),
                                                    dialog.m_strPassword.toLocal8Bit().toStdString(),
                                                    dialog.GetMode());
        if (nResult == SR_SUCCESS || nResult == SR_SUCCESS_WITH_INFO) {
            // Logged on with a warning (a password about to expire): said, not refused.
            m_strMessage = QStringLiteral("Connect succeeded!");
            if (nResult == SR_SUCCESS_WITH_INFO)
                m_strMessage += QLatin1Char(' ') + FromLocal(m_doc.GetLogonWarning());
            m_bConnected = 1;
            UpdateData(false);
            desktop::Beep(desktop::kSimpleBeep);
            break;
        }
        m_strMessage = FromLocal(m_doc.GetMessageText());
        desktop::Message(window(), m_strMessage);
        UpdateData(false);
        desktop::Beep(desktop::kSimpleBeep);
    }
}

void CLumidexView::OnDisconnect()
{
    CWaitCursor wait;
    UpdateData(true);
    const int nResult = m_doc.Disconnect();
    if (nResult == SR_SUCCESS || nResult == SR_NOT_CONNECTED) {
        m_strMessage = QStringLiteral("Disconnect succeded!");
        m_bConnected = 0;
    } else {
        m_strMessage = FromLocal(m_doc.GetMessageText());
    }
    UpdateData(false);
    desktop::Beep(desktop::kSimpleBeep);
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
