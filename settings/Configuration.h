#pragma once

// The two switches of the XML export: write a stylesheet, open the saved file.

#include <QDialog>

#include <memory>

namespace Ui {
class IDD_CONFIGURATION;
}

class Configuration : public QDialog {
    Q_OBJECT
public:
    explicit Configuration(QWidget* pParent = nullptr);
    ~Configuration() override;

    void accept() override;

private:
    void OnInitDialog();

    std::unique_ptr<Ui::IDD_CONFIGURATION> m_pForm;
};
