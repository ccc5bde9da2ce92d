#include "settings/Configuration.h"

#include "gui/DialogUnits.h"
#include "gui/WebPages.h"
#include "res/resource.h"
#include "settings/LumidexSettings.h"
#include "ui_IDD_CONFIGURATION.h"

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
    m_pForm->IDC_CREATE_XSL->setChecked(settings::ReadSwitch(settings::Setting::Xsl));
    m_pForm->IDC_VIEW_XML->setChecked(settings::ReadSwitch(settings::Setting::ViewXml));
    m_pForm->IDC_CREATE_XSL->setFocus();
}

void Configuration::accept()
{
    settings::WriteSwitch(settings::Setting::Xsl, m_pForm->IDC_CREATE_XSL->isChecked());
    settings::WriteSwitch(settings::Setting::ViewXml, m_pForm->IDC_VIEW_XML->isChecked());
    QDialog::accept();
}
