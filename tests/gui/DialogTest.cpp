// The Connect and Configuration dialogs on the settings file (its lines: tests/settings/), the About link.

#include "settings/Configuration.h"
#include "settings/ConnectDialog.h"
#include "shell/CAboutDlg.h"
#include "shell/CWebLink.h"
#include "tests/gui/ProgramTest.h"

#include <QCheckBox>
#include <QRadioButton>

#include <algorithm>
#include <optional>
#include <span>

namespace {

// What the Connect dialog shows: its names, database, user, password and mode.
QStringList Shown(QDialog& dialog)
{
    auto* pDatabase = dialog.findChild<QComboBox*>("IDC_DATABASE");
    QStringList arrNames;
    for (int i = 0; i < pDatabase->count(); ++i)
        arrNames << pDatabase->itemText(i);
    QString strMode;
    for (const char* pszMode : {"IDC_MODE_NORMAL", "IDC_MODE_SYSOPER", "IDC_MODE_SYSDBA"})
        if (dialog.findChild<QRadioButton*>(pszMode)->isChecked())
            strMode += QString::fromLatin1(pszMode + 9);
    return {arrNames.join(','), pDatabase->currentText(), dialog.findChild<QLineEdit*>("IDC_USER")->text(),
            dialog.findChild<QLineEdit*>("IDC_PASSWORD")->text(), strMode};
}

bool Shows(QWidget& widget, QRgb colour)
{
    const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    return std::ranges::count(std::span(reinterpret_cast<const QRgb*>(image.constBits()), image.sizeInBytes() / 4),
                              colour) > 0;
}

}  // namespace

class DialogTest : public ProgramTest {
    Q_OBJECT

    std::optional<testfixture::ScopedEnv> m_tnsAdmin;

private slots:
    void init()
    {
        Fresh();
        WriteFile("tnsnames.ora", "SALES = (DESCRIPTION = (ADDRESS = (HOST = h)))\nb = (DESCRIPTION = (HOST = h))\n"
                                  "A = (DESCRIPTION = (ADDRESS = (PROTOCOL = TCP)(HOST = h)(PORT = 1)))\n");
        m_tnsAdmin.emplace("TNS_ADMIN", m_pFolder->path().toStdString());
    }

    // The stored database: the first listed name it begins, in any case, else itself. Cancel writes
    // nothing (no file stays none); OK stores what the box showed.
    void connectDialogShowsAndStores()
    {
        const std::pair<QByteArray, QStringList> cases[] = {
            {"", {"A", "", "", "NORMAL"}},
            {"[Lumidex]\r\nDATABASE=sal\r\nUSER = hr\r\n; kept\r\nMODE=1\r\n", {"SALES", "hr", "", "SYSOPER"}},
            {"[Lumidex]\nDATABASE=B\nMODE=2\n", {"b", "", "", "SYSDBA"}},
            {"[Lumidex]\nDATABASE=elsewhere\n", {"elsewhere", "", "", "NORMAL"}},
        };
        for (const auto& [stored, arrExpected] : cases) {
            if (!stored.isEmpty())
                WriteFile("Lumidex.ini", stored);
            ConnectDialog cancelled;
            QStringList arrShown;
            m_pScript->Add([&](QDialog& shown) {
                arrShown = Shown(shown);
                shown.findChild<QLineEdit*>("IDC_USER")->setText("other");
                CancelDialog(shown);
            });
            cancelled.exec();
            QCOMPARE(arrShown, QStringList("A,b,SALES") + arrExpected);
            QCOMPARE(ReadFile("Lumidex.ini"), stored);
            ConnectDialog confirmed;
            m_pScript->Add([](QDialog& shown) { shown.findChild<QPushButton*>("IDOK")->click(); });
            confirmed.exec();
            QCOMPARE(confirmed.m_strDatabase, arrExpected[0]);
            QVERIFY(ReadFile("Lumidex.ini").contains("DATABASE=" + arrExpected[0].toLatin1()));
        }

        // All but the password is stored; Help opens the help page.
        ConnectDialog dialog;
        m_pScript->Add([&](QDialog& shown) {
            shown.findChild<QPushButton*>("IDC_HELP_BUTTON")->click();
            shown.findChild<QRadioButton*>("IDC_MODE_SYSDBA")->setChecked(true);
            Logon("SALES", "REPORTS", "secret")(shown);
        });
        dialog.exec();
        QCOMPARE(m_pDesktop->arrOpened, std::vector<QUrl>({WebPageUrl(ID_HELP)}));
        QCOMPARE(dialog.m_strPassword, QString("secret"));
        QCOMPARE(dialog.GetMode(), 2);
        QCOMPARE(ReadFile("Lumidex.ini"), QByteArray("[Lumidex]\nDATABASE=SALES\nUSER=REPORTS\nMODE=2\n"));
    }

    // Both switches on without their keys; Cancel writes nothing, OK writes both; Help opens its page.
    void configurationSwitches()
    {
        for (const QByteArray& stored : {QByteArray(), QByteArray("[Lumidex]\nVIEWXML=0\n")}) {
            WriteFile("Lumidex.ini", stored);
            const bool bViewXml = stored.isEmpty();
            {
                Configuration dialog;
                QVERIFY(dialog.findChild<QCheckBox*>("IDC_CREATE_XSL")->isChecked());
                QCOMPARE(dialog.findChild<QCheckBox*>("IDC_VIEW_XML")->isChecked(), bViewXml);
                dialog.findChild<QCheckBox*>("IDC_CREATE_XSL")->toggle();
                dialog.findChild<QPushButton*>("IDC_HELP_BUTTON")->click();
                dialog.findChild<QPushButton*>("IDCANCEL")->click();
            }
            QCOMPARE(m_pDesktop->arrOpened.back(), WebPageUrl(ID_HELP));
            QCOMPARE(ReadFile("Lumidex.ini"), stored);
            Configuration dialog;
            dialog.findChild<QCheckBox*>("IDC_VIEW_XML")->toggle();
            dialog.findChild<QPushButton*>("IDOK")->click();
            QVERIFY(ReadFile("Lumidex.ini").contains("XSL=1\n"));
            QVERIFY(ReadFile("Lumidex.ini").contains(QByteArray("VIEWXML=") + (bViewXml ? "0" : "1") + "\n"));
        }
    }

    // Link blue and underlined; a click that opens nothing beeps and leaves it unvisited.
    void aboutLinkColours()
    {
        for (bool bOpens : {false, true, false}) {
            CAboutDlg about;  // each showing starts unvisited
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            auto* pLink = about.findChild<CWebLink*>("IDC_WEBLINK");
            QCOMPARE(pLink->text(), WebPageUrl(ID_LINKS_HOMEPAGE).toString());
            QVERIFY(pLink->font().underline());
            QVERIFY(Shows(*pLink, qRgb(0, 0, 250)));
            m_pDesktop->bOpenSucceeds = bOpens;
            m_pDesktop->arrBeeps.clear();
            QTest::mouseClick(pLink, Qt::LeftButton);
            QCOMPARE(m_pDesktop->arrOpened.back(), WebPageUrl(ID_LINKS_HOMEPAGE));
            QCOMPARE(m_pDesktop->arrBeeps, bOpens ? std::vector<unsigned>() : std::vector<unsigned>({0}));
            QCOMPARE(Shows(*pLink, qRgb(0, 0, 250)), !bOpens);
            QCOMPARE(Shows(*pLink, qRgb(128, 0, 128)), bOpens);
        }
    }
};

GUI_TEST_MAIN(DialogTest, false)

#include "DialogTest.moc"
