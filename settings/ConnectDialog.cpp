#include "settings/ConnectDialog.h"

#include "gui/DialogUnits.h"
#include "gui/WebPages.h"
#include "res/resource.h"
#include "settings/LumidexSettings.h"
#include "settings/TnsNamesReader.h"
#include "ui_IDD_CONNECT.h"

#include <QStringList>

#include <algorithm>

ConnectDialog::ConnectDialog(QWidget* pParent)
    : QDialog(pParent), m_pForm(std::make_unique<Ui::IDD_CONNECT>())
{
    m_pForm->setupUi(this);
    ApplyDialogUnits(this);
    setFixedSize(size());
    connect(m_pForm->IDOK, &QPushButton::clicked, this, &ConnectDialog::accept);
    connect(m_pForm->IDCANCEL, &QPushButton::clicked, this, &ConnectDialog::reject);
    connect(m_pForm->IDC_HELP_BUTTON, &QPushButton::clicked, this, [] { OpenWebPage(ID_HELP); });
}

ConnectDialog::~ConnectDialog() = default;

int ConnectDialog::exec()
{
    OnInitDialog();
    return QDialog::exec();
}

void ConnectDialog::accept() { OnOK(); }

void ConnectDialog::OnInitDialog()
{
    m_strDatabase = QString::fromLocal8Bit(settings::ReadSetting(settings::Setting::Database));
    m_strUser = QString::fromLocal8Bit(settings::ReadSetting(settings::Setting::User));
    m_strPassword.clear();

    const int nStoredMode = settings::ReadLoginMode();
    QRadioButton* pMode = nStoredMode == 1   ? m_pForm->IDC_MODE_SYSOPER
                          : nStoredMode == 2 ? m_pForm->IDC_MODE_SYSDBA
                                             : m_pForm->IDC_MODE_NORMAL;
    pMode->setChecked(true);

    // The list sorts itself, ignoring case; duplicates stay.
    QStringList arrNames;
    const settings::TnsNamesReader reader;
    for (const std::string& strName : reader.Names())
        arrNames.append(QString::fromLocal8Bit(strName));
    std::stable_sort(arrNames.begin(), arrNames.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    m_pForm->IDC_DATABASE->clear();
    m_pForm->IDC_DATABASE->addItems(arrNames);

    DoDataExchange(false);
    m_pForm->IDC_USER->setFocus();
}

void ConnectDialog::DoDataExchange(bool bSaveAndValidate)
{
    QComboBox* pDatabase = m_pForm->IDC_DATABASE;
    if (bSaveAndValidate) {
        m_strPassword = m_pForm->IDC_PASSWORD->text();
        m_strUser = m_pForm->IDC_USER->text();
        m_strDatabase = pDatabase->currentText();
        return;
    }
    m_pForm->IDC_PASSWORD->setText(m_strPassword);
    m_pForm->IDC_USER->setText(m_strUser);
    for (int i = 0; i < pDatabase->count(); ++i) {
        if (pDatabase->itemText(i).startsWith(m_strDatabase, Qt::CaseInsensitive)) {
            pDatabase->setCurrentIndex(i);
            return;
        }
    }
    pDatabase->setCurrentIndex(-1);
    pDatabase->setEditText(m_strDatabase);
}

void ConnectDialog::OnOK()
{
    DoDataExchange(true);
    settings::WriteSetting(settings::Setting::Database, m_strDatabase.toLocal8Bit().toStdString());
    settings::WriteSetting(settings::Setting::User, m_strUser.toLocal8Bit().toStdString());
    m_nMode = 0;
    if (m_pForm->IDC_MODE_SYSOPER->isChecked())
        m_nMode = 1;
    if (m_pForm->IDC_MODE_SYSDBA->isChecked())
        m_nMode = 2;
    settings::WriteLoginMode(m_nMode);
    DoDataExchange(true);
    QDialog::accept();
}
