// The Connect and Configuration dialogs against the settings file, and the About box's link.

#include "gui/WebPages.h"
#include "res/resource.h"
#include "settings/Configuration.h"
#include "settings/ConnectDialog.h"
#include "shell/CAboutDlg.h"
#include "shell/CWebLink.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

namespace {

struct Opened {
    QStringList arrNames;
    QString strDatabase;
    QString strUser;
    QString strPassword;
    QString strMode;
};

Opened Read(QDialog& dialog)
{
    Opened opened;
    auto* pDatabase = dialog.findChild<QComboBox*>("IDC_DATABASE");
    for (int i = 0; i < pDatabase->count(); ++i)
        opened.arrNames.append(pDatabase->itemText(i));
    opened.strDatabase = pDatabase->currentText();
    opened.strUser = dialog.findChild<QLineEdit*>("IDC_USER")->text();
    opened.strPassword = dialog.findChild<QLineEdit*>("IDC_PASSWORD")->text();
    for (const char* pszMode : {"IDC_MODE_NORMAL", "IDC_MODE_SYSOPER", "IDC_MODE_SYSDBA"})
        if (dialog.findChild<QRadioButton*>(pszMode)->isChecked())
            opened.strMode += QString::fromLatin1(pszMode + 9);
    return opened;
}

int CountPixels(QWidget& widget, QColor colour)
{
    const QImage image = widget.grab().toImage();
    int nCount = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            nCount += QColor(image.pixel(x, y)) == colour ? 1 : 0;
    return nCount;
}

const QColor kLink(0, 0, 250);
const QColor kVisited(128, 0, 128);

}  // namespace

class DialogTest : public ProgramTest {
    Q_OBJECT

    std::optional<testfixture::ScopedEnv> m_tnsAdmin;

    // Shows the Connect dialog once; the step acts in it.
    int RunConnect(ConnectDialog& dialog, ModalScript::Step step)
    {
        m_pScript->Add(std::move(step));
        const int nResult = dialog.exec();
        [&] { QVERIFY(m_pScript->Done()); }();
        return nResult;
    }

private slots:
    void init()
    {
        Fresh();
        QFile names(m_pFolder->Path() + "/tnsnames.ora");
        QVERIFY(names.open(QIODevice::WriteOnly));
        names.write("SALES = (DESCRIPTION = (ADDRESS = (PROTOCOL = TCP)(HOST = h)(PORT = 1)))\n"
                    "b = (DESCRIPTION = (ADDRESS = (PROTOCOL = TCP)(HOST = h)(PORT = 1)))\n"
                    "A = (DESCRIPTION = (ADDRESS = (PROTOCOL = TCP)(HOST = h)(PORT = 1)))\n");
        names.close();
        m_tnsAdmin.emplace("TNS_ADMIN", m_pFolder->Path().toStdString());
    }

    void firstRunThenOkStoresAllButThePassword()
    {
        ConnectDialog dialog;
        Opened opened;
        const int nResult = RunConnect(dialog, [&](QDialog& shown) {
            opened = Read(shown);
            shown.findChild<QComboBox*>("IDC_DATABASE")->setEditText("SALES");
            shown.findChild<QLineEdit*>("IDC_USER")->setText("REPORTS");
            shown.findChild<QLineEdit*>("IDC_PASSWORD")->setText("secret");
            shown.findChild<QRadioButton*>("IDC_MODE_SYSDBA")->setChecked(true);
            shown.findChild<QPushButton*>("IDOK")->click();
        });
        QCOMPARE(opened.arrNames, QStringList({"A", "b", "SALES"}));
        QCOMPARE(opened.strUser, QString());
        QCOMPARE(opened.strPassword, QString());
        QCOMPARE(opened.strMode, QString("NORMAL"));
        QCOMPARE(nResult, int(QDialog::Accepted));
        QCOMPARE(dialog.m_strDatabase, QString("SALES"));
        QCOMPARE(dialog.m_strUser, QString("REPORTS"));
        QCOMPARE(dialog.m_strPassword, QString("secret"));
        QCOMPARE(dialog.GetMode(), 2);
        QCOMPARE(m_pFolder->Settings(), QByteArray("[Lumidex]\nDATABASE=SALES\nUSER=REPORTS\nMODE=2\n"));
    }

    void storedValuesOpenTheDialog_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("mode");
        QTest::newRow("MODE 1") << QByteArray("MODE=1") << "A" << "SYSOPER";
        QTest::newRow("MODE 2") << QByteArray("MODE=2") << "A" << "SYSDBA";
        QTest::newRow("prefix") << QByteArray("DATABASE=sal") << "SALES" << "NORMAL";
        QTest::newRow("prefix, any case") << QByteArray("DATABASE=B") << "b" << "NORMAL";
        QTest::newRow("not listed") << QByteArray("DATABASE=elsewhere") << "elsewhere" << "NORMAL";
    }

    void storedValuesOpenTheDialog()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, database);
        QFETCH(QString, mode);
        m_pFolder->WriteSettings("[Lumidex]\n" + stored + "\n");
        ConnectDialog dialog;
        Opened opened;
        RunConnect(dialog, [&](QDialog& shown) {
            opened = Read(shown);
            shown.findChild<QPushButton*>("IDOK")->click();
        });
        QCOMPARE(opened.strDatabase, database);
        QCOMPARE(opened.strMode, mode);
        QCOMPARE(dialog.m_strDatabase, database);  // OK stores what the box showed
        QVERIFY(m_pFolder->Settings().contains("DATABASE=" + database.toLatin1() + "\n"));
    }

    void cancelWritesNothing()
    {
        const QByteArray stored("[Lumidex]\r\nUSER = hr\r\n; kept\r\n");
        m_pFolder->WriteSettings(stored);
        ConnectDialog dialog;
        Opened opened;
        const int nResult = RunConnect(dialog, [&](QDialog& shown) {
            opened = Read(shown);
            shown.findChild<QLineEdit*>("IDC_USER")->setText("other");
            shown.findChild<QPushButton*>("IDCANCEL")->click();
        });
        QCOMPARE(opened.strUser, QString("hr"));
        QCOMPARE(nResult, int(QDialog::Rejected));
        QCOMPARE(m_pFolder->Settings(), stored);

        ScratchFolder empty;
        ConnectDialog fresh;
        RunConnect(fresh, CancelDialog);
        QVERIFY(!QFile::exists(empty.Path() + "/Lumidex.ini"));
    }

    void helpButtonsOpenTheHelpPage()
    {
        ConnectDialog connect;
        RunConnect(connect, [](QDialog& shown) {
            shown.findChild<QPushButton*>("IDC_HELP_BUTTON")->click();
            CancelDialog(shown);
        });
        Configuration configuration;
        configuration.findChild<QPushButton*>("IDC_HELP_BUTTON")->click();
        QCOMPARE(m_pDesktop->arrOpened, std::vector<QUrl>(2, WebPageUrl(ID_HELP)));
        QVERIFY(m_pDesktop->arrBeeps.empty());
    }

    void configurationSwitches_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("xsl");
        QTest::addColumn<bool>("viewXml");
        QTest::newRow("no file") << QByteArray() << true << true;
        QTest::newRow("VIEWXML 0") << QByteArray("[Lumidex]\nVIEWXML=0\n") << true << false;
    }

    void configurationSwitches()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, xsl);
        QFETCH(bool, viewXml);
        if (!stored.isEmpty())
            m_pFolder->WriteSettings(stored);
        {
            Configuration dialog;
            QCOMPARE(dialog.findChild<QCheckBox*>("IDC_CREATE_XSL")->isChecked(), xsl);
            QCOMPARE(dialog.findChild<QCheckBox*>("IDC_VIEW_XML")->isChecked(), viewXml);
            dialog.findChild<QCheckBox*>("IDC_CREATE_XSL")->toggle();
            dialog.findChild<QPushButton*>("IDCANCEL")->click();
        }
        QCOMPARE(m_pFolder->Settings(), stored);

        Configuration dialog;
        dialog.findChild<QCheckBox*>("IDC_VIEW_XML")->toggle();
        dialog.findChild<QPushButton*>("IDOK")->click();
        const QByteArray settings = m_pFolder->Settings();
        QVERIFY(settings.contains(QByteArray("XSL=") + (xsl ? "1" : "0") + "\n"));
        QVERIFY(settings.contains(QByteArray("VIEWXML=") + (viewXml ? "0" : "1") + "\n"));
    }

    void aboutLinkColours()
    {
        {
            CAboutDlg about;
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            auto* pLink = about.findChild<CWebLink*>("IDC_WEBLINK");
            QCOMPARE(pLink->text(), WebPageUrl(ID_LINKS_HOMEPAGE).toString());
            QVERIFY(CountPixels(*pLink, kLink) > 0);
            QVERIFY(pLink->font().underline());

            m_pDesktop->bOpenSucceeds = false;
            QTest::mouseClick(pLink, Qt::LeftButton);
            QCOMPARE(m_pDesktop->arrBeeps, std::vector<unsigned>({0}));
            QVERIFY(CountPixels(*pLink, kLink) > 0);
            QCOMPARE(CountPixels(*pLink, kVisited), 0);

            m_pDesktop->bOpenSucceeds = true;
            QTest::mouseClick(pLink, Qt::LeftButton);
            QCOMPARE(m_pDesktop->arrOpened.back(), WebPageUrl(ID_LINKS_HOMEPAGE));
            QVERIFY(CountPixels(*pLink, kVisited) > 0);
            QCOMPARE(CountPixels(*pLink, kLink), 0);
            QCOMPARE(m_pDesktop->arrBeeps.size(), 1u);
        }
        CAboutDlg again;  // a new showing starts unvisited
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QVERIFY(CountPixels(*again.findChild<CWebLink*>("IDC_WEBLINK"), kLink) > 0);
    }
};

std::unique_ptr<QObject> MakeDialogTest() { return std::make_unique<DialogTest>(); }

#include "DialogTest.moc"
