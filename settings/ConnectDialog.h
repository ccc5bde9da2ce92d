#pragma once

// Asks for the database, user, password and login type of a connection, offering the
// service names of tnsnames.ora; remembers all but the password in the settings file.

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class IDD_CONNECT;
}

class ConnectDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConnectDialog(QWidget* pParent = nullptr);
    ~ConnectDialog() override;

    // Every showing runs the opening steps again, so a retry shows what was confirmed.
    int exec() override;
    void accept() override;

    int GetMode() const { return m_nMode; }

    QString m_strDatabase;
    QString m_strPassword;
    QString m_strUser;

private:
    void OnInitDialog();
    void DoDataExchange(bool bSaveAndValidate);
    void OnOK();

    std::unique_ptr<Ui::IDD_CONNECT> m_pForm;
    int m_nMode = 0;
};
