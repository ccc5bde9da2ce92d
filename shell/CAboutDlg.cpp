#include "shell/CAboutDlg.h"

#include "gui/DialogUnits.h"
#include "gui/ResourceImages.h"
#include "gui/WebPages.h"
#include "res/resource.h"
#include "ui_IDD_ABOUTBOX.h"

CAboutDlg::CAboutDlg(QWidget* pParent)
    : QDialog(pParent), m_pForm(std::make_unique<Ui::IDD_ABOUTBOX>())
{
    m_pForm->setupUi(this);
    ApplyDialogUnits(this);
    setFixedSize(size());
    m_pForm->IDC_STATIC_ICON->setPixmap(MainIcon().pixmap(32, 32));
    m_pForm->IDC_WEBLINK->setText(WebPageUrl(ID_LINKS_HOMEPAGE).toString());
    connect(m_pForm->IDOK, &QPushButton::clicked, this, &CAboutDlg::accept);
}

CAboutDlg::~CAboutDlg() = default;
