#include "shell/CLumidexApp.h"

#include "browser/CLumidexView.h"
#include "document/LumidexDoc.h"
#include "gui/Desktop.h"
#include "platform/UserMessage.h"
#include "res/resource.h"
#include "shell/CAboutDlg.h"
#include "shell/CMainFrame.h"

#include <QApplication>

CLumidexApp::CLumidexApp() = default;

CLumidexApp::~CLumidexApp()
{
    // The frame and its view go first: the view logs off before the document unloads OCI.
    m_pFrame.reset();
    m_pDoc.reset();
    platform::SetUserMessageHandler({});
}

bool CLumidexApp::InitInstance()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Lumidex"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumidex"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.5.0.0"));
    platform::SetUserMessageHandler([](const std::string& strText) {
        desktop::Message(nullptr, QString::fromLocal8Bit(strText));
    });

    m_pDoc = std::make_unique<CLumidexDoc>();
    m_pFrame = std::make_unique<CMainFrame>([this](int nId) { return OnCmdMsg(nId); });
    auto* pView = new CLumidexView(*m_pDoc);
    m_pFrame->SetView(pView);
    pView->OnInitialUpdate();
    m_pFrame->UpdateCommandUI();
    m_pFrame->show();
    return true;
}

CLumidexView* CLumidexApp::View() const { return m_pFrame ? m_pFrame->View() : nullptr; }

bool CLumidexApp::OnCmdMsg(int nId)
{
    if (nId != ID_APP_ABOUT)
        return false;
    OnAppAbout();
    return true;
}

void CLumidexApp::OnAppAbout()
{
    CAboutDlg dialog(m_pFrame.get());
    dialog.exec();
}
