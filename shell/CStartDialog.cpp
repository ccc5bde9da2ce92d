#include "shell/CStartDialog.h"

#include "gui/ResourceImages.h"
#include "gui/WebPages.h"
#include "res/resource.h"
#include "ui_IDD_START.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kSplashMs = 4000;
constexpr int kPictureWidth = 399;
constexpr int kPictureHeight = 266;

}  // namespace

CStartDialog::CStartDialog(QWidget* pParent)
    : QDialog(pParent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_pForm(std::make_unique<Ui::IDD_START>())
{
    m_pForm->setupUi(this);
    // The window is as large as its picture, whatever the font says of the template.
    setFixedSize(kPictureWidth, kPictureHeight);
    setCursor(HandCursor());
    m_timerClose.setSingleShot(true);
    m_timerClose.setInterval(kSplashMs);
    connect(&m_timerClose, &QTimer::timeout, this, [this] { OnTimer(IDT_SPLASH); });
}

CStartDialog::~CStartDialog() = default;

int CStartDialog::exec()
{
    m_timerClose.start();
    raise();
    activateWindow();
    return QDialog::exec();
}

void CStartDialog::OnTimer(int nIDEvent)
{
    if (nIDEvent != IDT_SPLASH)
        return;
    m_timerClose.stop();
    done(QDialog::Accepted);
}

void CStartDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, SplashBitmap(), 0, 0, kPictureWidth, kPictureHeight);
}

void CStartDialog::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        OpenWebPage(ID_LINKS_HOMEPAGE);
    QDialog::mousePressEvent(pEvent);
}

void CStartDialog::closeEvent(QCloseEvent* pEvent) { pEvent->ignore(); }
