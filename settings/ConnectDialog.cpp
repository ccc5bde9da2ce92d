#include "settings/ConnectDialog.h"

#include "res/resource.h"
#include "settings/TnsNamesReader.h"
#include "shell/DialogUnits.h"
#include "shell/WebPages.h"
#include "platform/PrivateProfile.h"
#include "ui_IDD_CONNECT.h"

#include <QStringList>

#include <algorithm>

namespace {

const char* const kSection = "Lumidex";
const char* const kFile = "./Lumidex.ini";

QString ReadSetting(const char* pszKey)
{
    return QString::fromLocal8Bit(platform::GetPrivateProfileString(kSection, pszKey, "", kFile));
}

void WriteSetting(const char* pszKey, const QString& strValue)
{
    platform::WritePrivateProfileString(kSection, pszKey, strValue.toLocal8Bit().toStdString(), kFile);
}

}  // namespace

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
    m_strDatabase = ReadSetting("DATABASE");
    m_strUser = ReadSetting("USER");
    m_strPassword.clear();

    const QString strMode = ReadSetting("MODE");
    QRadioButton* pMode = strMode == "1"   ? m_pForm->IDC_MODE_SYSOPER
                          : strMode == "2" ? m_pForm->IDC_MODE_SYSDBA
                                           : m_pForm->IDC_MODE_NORMAL;
    pMode->setChecked(true);

    // The list sorts itself, ignoring case; duplicates stay.
    QStringList arrNames;
    const TnsNamesReader reader;
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
    WriteSetting("DATABASE", m_strDatabase);
    WriteSetting("USER", m_strUser);
    m_nMode = 0;
    if (m_pForm->IDC_MODE_SYSOPER->isChecked())
        m_nMode = 1;
    if (m_pForm->IDC_MODE_SYSDBA->isChecked())
        m_nMode = 2;
    WriteSetting("MODE", QString::number(m_nMode));
    DoDataExchange(true);
    QDialog::accept();
}
