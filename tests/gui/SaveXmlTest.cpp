// Save XML data from its command against the test cluster: the two switches from the
// settings file, the Save dialog, the frame's title, the message line, the beeps, the open
// request, and the saved rows in the order shown. File names, contents and the folder
// kept are tested in tests/export/.

#include "res/resource.h"
#include "tests/gui/ProgramTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

// The texts of one element of every row, in file order.
QStringList FieldTexts(const QString& strPath, const QString& strElement)
{
    QFile file(strPath);
    QStringList arrTexts;
    QXmlStreamReader reader(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    while (reader.readNextStartElement() || !reader.atEnd()) {
        if (reader.isStartElement() && reader.name() == strElement)
            arrTexts << reader.readElementText();
        else if (!reader.isStartElement())
            reader.readNext();
    }
    return arrTexts;
}

}  // namespace

class SaveXmlTest : public ProgramTest {
    Q_OBJECT

    void StartWithEmployees()
    {
        Start("hr", "hr");
        View().RunQueryToList("SELECT * FROM EMPLOYEES ORDER BY EMPLOYEE_ID");
        QCOMPARE(MessageLine(), QString("Rows 4"));
    }

    // Saves under the name the user types; the beeps the command gave.
    std::vector<unsigned> Save(const QString& strTyped)
    {
        const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
        m_pDesktop->arrSaveNames.push_back(strTyped);
        Frame().OnCommand(ID_FILE_SAVE_AS);
        return {m_pDesktop->arrBeeps.begin() + static_cast<std::ptrdiff_t>(nBeeps), m_pDesktop->arrBeeps.end()};
    }

private slots:
    void switchesFromTheSettings_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("stylesheet");
        QTest::addColumn<bool>("opened");
        QTest::newRow("defaults") << QByteArray() << true << true;
        QTest::newRow("both off") << QByteArray("[Lumidex]\nXSL=0\nVIEWXML=0\n") << false << false;
    }

    void switchesFromTheSettings()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, stylesheet);
        QFETCH(bool, opened);
        m_pFolder->WriteSettings(settings);
        StartWithEmployees();
        QTemporaryDir target;
        QCOMPARE(Save(target.path() + "/emp"), std::vector<unsigned>{0u});
        QCOMPARE(m_pDesktop->arrSaveDialogs.last(), QString("*.xml|XML Files (*.xml);;All Files (*.*)"));
        QCOMPARE(MessageLine(), QString("Saved XML file!"));
        const QString strData = target.path() + "/emp.xml";
        QCOMPARE(Frame().windowTitle(), strData + " - Lumidex");
        QCOMPARE(FieldTexts(strData, "LAST_NAME").size(), 4);
        QCOMPARE(QFile::exists(target.path() + "/emp.xsl"), stylesheet);
        QCOMPARE(m_pDesktop->arrOpened,
                 opened ? std::vector<QUrl>{QUrl::fromLocalFile(strData)} : std::vector<QUrl>());
    }

    // Cancelled: no beep, nothing written. Failed: the title kept, the open request still
    // out. Saved but not opened: a second beep.
    void cancelFailureAndFailedOpen()
    {
        StartWithEmployees();
        const QString strTitle = Frame().windowTitle();
        QCOMPARE(Save(QString()), std::vector<unsigned>());
        QCOMPARE(MessageLine(), QString("Rows 4"));
        QCOMPARE(QDir(m_pFolder->Path()).entryList({"*.xml", "*.xsl"}, QDir::Files), QStringList());

        QCOMPARE(Save(m_pFolder->Path() + "/no such folder/emp.xml"), std::vector<unsigned>{0u});
        QCOMPARE(MessageLine(), QString("Failed to save XML file!"));
        QCOMPARE(Frame().windowTitle(), strTitle);
        QCOMPARE(m_pDesktop->arrOpened.size(), std::size_t(1));

        m_pDesktop->bOpenSucceeds = false;
        QCOMPARE(Save(m_pFolder->Path() + "/emp.xml"), std::vector<unsigned>({0u, 0u}));
        QCOMPARE(MessageLine(), QString("Saved XML file!"));
    }

    void savedFileFollowsTheShownOrder()
    {
        m_pFolder->WriteSettings("[Lumidex]\nVIEWXML=0\n");
        StartWithEmployees();
        View().ResultList().OnHeaderItemClick(ColumnOf("LAST_NAME"), 0);
        View().ResultList().OnHeaderItemClick(ColumnOf("LAST_NAME"), 0);
        const QString strPath = m_pFolder->Path() + "/sorted.xml";
        Save(strPath);
        QCOMPARE(MessageLine(), QString("Saved XML file!"));
        QCOMPARE(FieldTexts(strPath, "LAST_NAME"), QStringList({"日本", "Nobody", "Lefèvre", "King"}));
    }
};

std::unique_ptr<QObject> MakeSaveXmlTest() { return std::make_unique<SaveXmlTest>(); }

#include "SaveXmlTest.moc"
