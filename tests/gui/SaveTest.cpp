// Save XML data and Save CSV data from their commands against the test cluster: the
// switches from the settings file, the Save dialog, the frame's title, the message line,
// the beeps, the open request, and the rows in the order shown. File names, contents and
// the folder kept are tested in tests/export/.

#include "res/resource.h"
#include "tests/gui/ProgramTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

QByteArray Read(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SaveTest : public ProgramTest {
    Q_OBJECT

    // The employees as hr, shown by LAST_NAME descending.
    void StartWithEmployees()
    {
        Start("hr", "hr");
        View().RunQueryToList("SELECT employee_id, last_name, notes FROM EMPLOYEES ORDER BY EMPLOYEE_ID");
        QCOMPARE(MessageLine(), QString("Rows 4"));
        View().ResultList().OnHeaderItemClick(1, 0);
        View().ResultList().OnHeaderItemClick(1, 0);
    }

    // Saves with the command under the name the user types; the beeps it gave.
    std::vector<unsigned> Save(int nCommand, const QString& strTyped)
    {
        const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
        m_pDesktop->strSaveName = strTyped;
        Frame().OnCommand(nCommand);
        return {m_pDesktop->arrBeeps.begin() + static_cast<std::ptrdiff_t>(nBeeps), m_pDesktop->arrBeeps.end()};
    }

private slots:
    void savesXmlWithTheSwitchesFromTheSettings_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("stylesheet");
        QTest::addColumn<bool>("opened");
        QTest::newRow("defaults") << QByteArray() << true << true;
        QTest::newRow("both off") << QByteArray("[Lumidex]\nXSL=0\nVIEWXML=0\n") << false << false;
    }

    void savesXmlWithTheSwitchesFromTheSettings()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, stylesheet);
        QFETCH(bool, opened);
        m_pFolder->WriteSettings(settings);
        StartWithEmployees();
        QTemporaryDir target;
        QCOMPARE(Save(ID_FILE_SAVE_AS, target.path() + "/emp"), std::vector<unsigned>{0u});
        QCOMPARE(m_pDesktop->arrSaveDialogs.last(), QString("*.xml|XML Files (*.xml);;All Files (*.*)"));
        QCOMPARE(MessageLine(), QString("Saved XML file!"));
        const QString strData = target.path() + "/emp.xml";
        QCOMPARE(Frame().windowTitle(), strData + " - Lumidex");
        QStringList arrNames;
        QXmlStreamReader reader(Read(strData));
        while (!reader.atEnd())
            if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"LAST_NAME")
                arrNames << reader.readElementText();
        QCOMPARE(arrNames, QStringList({"日本", "Nobody", "Lefèvre", "King"}));
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
        QCOMPARE(Save(ID_FILE_SAVE_AS, QString()), std::vector<unsigned>());
        QCOMPARE(MessageLine(), QString("Rows 4"));
        QCOMPARE(QDir(m_pFolder->Path()).entryList({"*.xml", "*.xsl"}, QDir::Files), QStringList());

        QCOMPARE(Save(ID_FILE_SAVE_AS, m_pFolder->Path() + "/no such folder/emp.xml"), std::vector<unsigned>{0u});
        QCOMPARE(MessageLine(), QString("Failed to save XML file!"));
        QCOMPARE(Frame().windowTitle(), strTitle);
        QCOMPARE(m_pDesktop->arrOpened.size(), std::size_t(1));

        m_pDesktop->bOpenSucceeds = false;
        QCOMPARE(Save(ID_FILE_SAVE_AS, m_pFolder->Path() + "/emp.xml"), std::vector<unsigned>({0u, 0u}));
        QCOMPARE(MessageLine(), QString("Saved XML file!"));
    }

    void savesCsvNotOpened()
    {
        StartWithEmployees();
        QTemporaryDir target;
        QCOMPARE(Save(ID_FILE_SAVE_CSV, target.path() + "/emp"), std::vector<unsigned>{0u});
        QCOMPARE(m_pDesktop->arrSaveDialogs.last(), QString("*.csv|CSV Files (*.csv);;All Files (*.*)"));
        QCOMPARE(MessageLine(), QString("Saved CSV file!"));
        QVERIFY(m_pDesktop->arrOpened.empty());
        QCOMPARE(Frame().windowTitle(), target.path() + "/emp.csv - Lumidex");
        QCOMPARE(QString::fromUtf8(Read(target.path() + "/emp.csv")),
                 QString("EMPLOYEE_ID,LAST_NAME,NOTES\r\n3,日本,NULL\r\n4,Nobody,NULL\r\n"
                         "2,Lefèvre,Paid in € since 2002\r\n1,King,President\r\n"));

        // A folder where the file should go: refused, and left as it was.
        QVERIFY(QDir(target.path()).mkdir("taken.csv"));
        Save(ID_FILE_SAVE_CSV, target.path() + "/taken.csv");
        QCOMPARE(MessageLine(), QString("Failed to save CSV file!"));
        QVERIFY(QFileInfo(target.path() + "/taken.csv").isDir());
    }
};

std::unique_ptr<QObject> MakeSaveTest() { return std::make_unique<SaveTest>(); }

#include "SaveTest.moc"
