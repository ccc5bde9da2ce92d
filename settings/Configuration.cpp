#include "settings/Configuration.h"

#include "platform/PrivateProfile.h"
#include "res/resource.h"
#include "shell/DialogUnits.h"
#include "shell/WebPages.h"
#include "ui_IDD_CONFIGURATION.h"

namespace {

const char* const kSection = "Lumidex";
const char* const kFile = "./Lumidex.ini";

bool ReadSwitch(const char* pszKey)
{
    return platform::GetPrivateProfileString(kSection, pszKey, "1", kFile).starts_with('1');
}

void WriteSwitch(const char* pszKey, bool bOn)
{
    platform::WritePrivateProfileString(kSection, pszKey, bOn ? "1" : "0", kFile);
}

}  // namespace

Configuration::Configuration(QWidget* pParent)
    : QDialog(pParent), m_pForm(std::make_unique<Ui::IDD_CONFIGURATION>())
{
    m_pForm->setupUi(this);
    ApplyDialogUnits(this);
    setFixedSize(size());
    connect(m_pForm->IDOK, &QPushButton::clicked, this, &Configuration::accept);
    connect(m_pForm->IDCANCEL, &QPushButton::clicked, this, &Configuration::reject);
    connect(m_pForm->IDC_HELP_BUTTON, &QPushButton::clicked, this, [] { OpenWebPage(ID_HELP); });
    OnInitDialog();
}

Configuration::~Configuration() = default;

void Configuration::OnInitDialog()
{
    m_pForm->IDC_CREATE_XSL->setChecked(ReadSwitch("XSL"));
    m_pForm->IDC_VIEW_XML->setChecked(ReadSwitch("VIEWXML"));
    m_pForm->IDC_CREATE_XSL->setFocus();
}

void Configuration::accept()
{
    WriteSwitch("XSL", m_pForm->IDC_CREATE_XSL->isChecked());
    WriteSwitch("VIEWXML", m_pForm->IDC_VIEW_XML->isChecked());
    QDialog::accept();
}
