#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class IDD_ABOUTBOX;
}

// Help > About: the version, the maker's notice and the maker's web address as a link.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::IDD_ABOUTBOX> m_pForm;
};
