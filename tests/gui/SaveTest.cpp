// Save XML data and Save CSV data from their commands against the test cluster: the
// switches from the settings file, the Save dialog, the frame's title, the message line,
// the beeps, the open request, and the rows in the order shown. File names, contents,
// failures and the open request after one are tested in tests/export/.

#include "tests/gui/ProgramTest.h"

#include <QFile>

namespace {

QByteArray Read(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SaveTest : public ProgramTest {
    Q_OBJECT

    // Saves with the command under the name the user types; the beeps it gave.
    std::vector<unsigned> Save(int nCommand, const QString& strTyped)
    {
        const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
        m_pDesktop->strSaveName = strTyped;
        Frame().OnCommand(nCommand);
        return {m_pDesktop->arrBeeps.begin() + static_cast<std::ptrdiff_t>(nBeeps), m_pDesktop->arrBeeps.end()};
    }

private slots:
    // Logged on as hr, the employees shown by LAST_NAME descending.
    void init()
    {
        Fresh();
        Start("hr", "hr");
        View().RunQueryToList("SELECT employee_id, last_name, notes FROM EMPLOYEES ORDER BY EMPLOYEE_ID");
        QCOMPARE(MessageLine(), QString("Rows 4"));
        View().ResultList().OnHeaderItemClick(1, 0);
        View().ResultList().OnHeaderItemClick(1, 0);
    }

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
        m_pFolder->Write("Lumidex.ini", settings);
        QCOMPARE(Save(ID_FILE_SAVE_AS, m_pFolder->Path() + "/emp"), std::vector<unsigned>{0u});
        QCOMPARE(m_pDesktop->arrSaveDialogs.last(), QString("*.xml|XML Files (*.xml);;All Files (*.*)"));
        QCOMPARE(MessageLine(), QString("Saved XML file!"));
        const QString strData = m_pFolder->Path() + "/emp.xml";
        QCOMPARE(Frame().windowTitle(), strData + " - Lumidex");
        const QByteArray xml = Read(strData);
        QCOMPARE(xml.count("<LAST_NAME>"), 4);
        QVERIFY(xml.indexOf("Nobody") < xml.indexOf("King"));  // as shown, not as read
        QCOMPARE(QFile::exists(m_pFolder->Path() + "/emp.xsl"), stylesheet);
        QCOMPARE(m_pDesktop->arrOpened,
                 opened ? std::vector<QUrl>{QUrl::fromLocalFile(strData)} : std::vector<QUrl>());
    }

    // Cancelled: no beep, the message kept. Failed, a folder in the way: the title kept.
    void savesCsvNotOpened()
    {
        QCOMPARE(Save(ID_FILE_SAVE_CSV, QString()), std::vector<unsigned>());
        QCOMPARE(MessageLine(), QString("Rows 4"));
        const QString strData = m_pFolder->Path() + "/emp.csv";
        QCOMPARE(Save(ID_FILE_SAVE_CSV, m_pFolder->Path() + "/emp"), std::vector<unsigned>{0u});
        QCOMPARE(m_pDesktop->arrSaveDialogs.last(), QString("*.csv|CSV Files (*.csv);;All Files (*.*)"));
        QCOMPARE(MessageLine(), QString("Saved CSV file!"));
        QVERIFY(m_pDesktop->arrOpened.empty());
        QCOMPARE(Frame().windowTitle(), strData + " - Lumidex");
        QCOMPARE(QString::fromUtf8(Read(strData)),
                 QString("EMPLOYEE_ID,LAST_NAME,NOTES\r\n3,日本,NULL\r\n4,Nobody,NULL\r\n"
                         "2,Lefèvre,Paid in € since 2002\r\n1,King,President\r\n"));

        QVERIFY(QDir(m_pFolder->Path()).mkdir("taken.csv"));
        QCOMPARE(Save(ID_FILE_SAVE_CSV, m_pFolder->Path() + "/taken.csv"), std::vector<unsigned>{0u});
        QCOMPARE(MessageLine(), QString("Failed to save CSV file!"));
        QCOMPARE(Frame().windowTitle(), strData + " - Lumidex");
    }
};

std::unique_ptr<QObject> MakeSaveTest() { return std::make_unique<SaveTest>(); }

#include "SaveTest.moc"
