// Save XML data against the test cluster: the two switches from the settings file, the
// frame's title, the open request, a file that cannot be written, and the saved rows in the
// order shown. The file names are tested in tests/export/SaveXmlDataTest.cpp.

#include "res/resource.h"
#include "tests/gui/ProgramTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

QByteArray ReadFile(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The error of an XML parser over the file; empty when it is well-formed.
QString XmlError(const QString& strPath)
{
    QXmlStreamReader reader(ReadFile(strPath));
    while (!reader.atEnd())
        reader.readNext();
    return reader.hasError() ? reader.errorString() : QString();
}

// The texts of one element of every row, in file order.
QStringList FieldTexts(const QString& strPath, const QString& strElement)
{
    QStringList arrTexts;
    QXmlStreamReader reader(ReadFile(strPath));
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
    void savesDataAndStylesheet_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("dataFile");
        QTest::addColumn<QString>("stylesheet");  // empty: none
        QTest::addColumn<bool>("opened");
        QTest::newRow("defaults") << QByteArray() << "emp" << "emp.xml" << "emp.xsl" << true;
        QTest::newRow("XSL off") << QByteArray("[Lumidex]\nXSL=0\n") << "emp" << "emp.xml" << "" << true;
        QTest::newRow("VIEWXML off") << QByteArray("[Lumidex]\nVIEWXML=0\n") << "emp" << "emp.xml"
                                     << "emp.xsl" << false;
    }

    void savesDataAndStylesheet()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, typed);
        QFETCH(QString, dataFile);
        QFETCH(QString, stylesheet);
        QFETCH(bool, opened);
        m_pFolder->WriteSettings(settings);
        StartWithEmployees();
        QTemporaryDir target;
        const QString strBefore = QDir::currentPath();

        QCOMPARE(Save(target.path() + "/" + typed), std::vector<unsigned>{0u});
        QCOMPARE(m_pDesktop->arrSaveDialogs.last(), QString("*.xml|XML Files (*.xml);;All Files (*.*)"));
        QCOMPARE(MessageLine(), QString("Saved XML file!"));
        QCOMPARE(QDir::currentPath(), strBefore);
        const QString strData = target.path() + "/" + dataFile;
        QCOMPARE(Frame().windowTitle(), strData + " - Lumidex");
        QCOMPARE(XmlError(strData), QString());
        QCOMPARE(FieldTexts(strData, "LAST_NAME"), QStringList({"King", "Lefèvre", "日本", "Nobody"}));
        QCOMPARE(FieldTexts(strData, "NOTES"),
                 QStringList({"President", "Paid in € since 2002", "NULL", "NULL"}));

        const QByteArray data = ReadFile(strData);
        QStringList arrExpected = {dataFile};
        if (stylesheet.isEmpty()) {
            QVERIFY(!data.contains("xml-stylesheet"));
        } else {
            QVERIFY(data.contains("href=\"" + stylesheet.toUtf8() + "\""));
            QCOMPARE(XmlError(target.path() + "/" + stylesheet), QString());
            QVERIFY(ReadFile(target.path() + "/" + stylesheet).contains("LAST_NAME"));
            arrExpected << stylesheet;
        }
        QDir folder(target.path());
        arrExpected.sort();
        QCOMPARE(folder.entryList(QDir::Files, QDir::Name), arrExpected);
        // Nothing lands in the folder the program started in but its settings.
        QVERIFY(QDir(strBefore).entryList(QDir::Files).filter(".xs").isEmpty());

        if (opened)
            QCOMPARE(m_pDesktop->arrOpened, std::vector<QUrl>{QUrl::fromLocalFile(strData)});
        else
            QVERIFY(m_pDesktop->arrOpened.empty());
    }

    void existingFileIsReplacedAndFailedOpenBeeps()
    {
        StartWithEmployees();
        const QString strPath = m_pFolder->Path() + "/emp.xml";
        QFile file(strPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old content that is longer than nothing");
        file.close();
        m_pDesktop->bOpenSucceeds = false;
        QCOMPARE(Save(strPath), std::vector<unsigned>({0u, 0u}));
        QCOMPARE(MessageLine(), QString("Saved XML file!"));
        QVERIFY(!ReadFile(strPath).contains("old content"));
        QCOMPARE(XmlError(strPath), QString());
    }

    void unwritableFolderFails()
    {
        StartWithEmployees();
        const QString strTitle = Frame().windowTitle();
        const QString strPath = m_pFolder->Path() + "/no such folder/emp.xml";
        QCOMPARE(Save(strPath), std::vector<unsigned>{0u});
        QCOMPARE(MessageLine(), QString("Failed to save XML file!"));
        QCOMPARE(Frame().windowTitle(), strTitle);
        // The open request still goes out, as after any save.
        QCOMPARE(m_pDesktop->arrOpened.size(), std::size_t(1));
    }

    void cancelWritesNothing()
    {
        StartWithEmployees();
        const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
        Frame().OnCommand(ID_FILE_SAVE_AS);
        QCOMPARE(m_pDesktop->arrBeeps.size(), nBeeps);
        QCOMPARE(MessageLine(), QString("Rows 4"));
        QCOMPARE(QDir(m_pFolder->Path()).entryList({"*.xml", "*.xsl"}, QDir::Files), QStringList());
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
