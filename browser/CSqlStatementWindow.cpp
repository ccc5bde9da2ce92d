#include "browser/CSqlStatementWindow.h"

#include "gui/Desktop.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CSqlStatementWindow::CSqlStatementWindow(QWidget* pOwner, std::function<void(const QString&)> run)
    : QDialog(pOwner), m_pEditor(new QPlainTextEdit(this)), m_run(std::move(run))
{
    setWindowTitle(QStringLiteral("SQL statement"));
    setModal(false);
    m_pEditor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_pEditor->setObjectName(QStringLiteral("IDC_SQL_TEXT"));
    m_pEditor->installEventFilter(this);

    auto* pButtons = new QDialogButtonBox(this);
    QPushButton* pRun = pButtons->addButton(QStringLiteral("&Run"), QDialogButtonBox::ActionRole);
    QPushButton* pClose = pButtons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
    pRun->setObjectName(QStringLiteral("IDC_SQL_RUN"));
    pClose->setObjectName(QStringLiteral("IDC_SQL_CLOSE"));
    // Enter belongs to the editor: no button is the default.
    pRun->setAutoDefault(false);
    pClose->setAutoDefault(false);
    connect(pRun, &QPushButton::clicked, this, &CSqlStatementWindow::OnRun);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pEditor);
    pLayout->addWidget(pButtons);
    resize(560, 280);
}

void CSqlStatementWindow::OnRun()
{
    const QTextCursor cursor = m_pEditor->textCursor();
    // A selection's paragraph breaks come as U+2029.
    const QString strTyped = cursor.hasSelection() ? cursor.selectedText().replace(QChar(0x2029), QLatin1Char('\n'))
                                                   : m_pEditor->toPlainText();
    const std::string strStatement = StatementToRun(strTyped.toLocal8Bit().toStdString());
    if (strStatement.empty()) {
        desktop::Beep(desktop::kDefaultBeep);
        return;
    }
    m_history.Add(strStatement);
    m_run(QString::fromLocal8Bit(strStatement));
}

void CSqlStatementWindow::reject()
{
    QDialog::reject();
    if (QWidget* pOwner = parentWidget())
        pOwner->activateWindow();
}

void CSqlStatementWindow::StepHistory(bool bOlder)
{
    std::string strStatement;
    if (bOlder ? m_history.Older(strStatement) : m_history.Newer(strStatement))
        m_pEditor->setPlainText(QString::fromLocal8Bit(strStatement));
}

bool CSqlStatementWindow::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pEditor && pEvent->type() == QEvent::KeyPress) {
        const auto* pKey = static_cast<const QKeyEvent*>(pEvent);
        const bool bArrow = pKey->key() == Qt::Key_Up || pKey->key() == Qt::Key_Down;
        const bool bEnter = pKey->key() == Qt::Key_Return || pKey->key() == Qt::Key_Enter;
        if (pKey->modifiers() == Qt::AltModifier && bArrow) {
            StepHistory(pKey->key() == Qt::Key_Up);
            return true;
        }
        if ((pKey->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier && bEnter) {
            OnRun();
            return true;
        }
    }
    return QDialog::eventFilter(pWatched, pEvent);
}
