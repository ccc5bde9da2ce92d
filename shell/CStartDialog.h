#pragma once

// The splash shown once at start-up: a picture for four seconds that neither Enter nor
// Escape closes; a click opens the maker's homepage.

#include <QDialog>
#include <QTimer>

#include <memory>

namespace Ui {
class IDD_START;
}

class CStartDialog : public QDialog {
    Q_OBJECT
public:
    explicit CStartDialog(QWidget* pParent = nullptr);
    ~CStartDialog() override;

    int exec() override;
    void accept() override {}
    void reject() override {}

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void OnTimer(int nIDEvent);

    std::unique_ptr<Ui::IDD_START> m_pForm;
    QTimer m_timerClose;
};
