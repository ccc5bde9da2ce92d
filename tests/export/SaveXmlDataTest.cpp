// Save XML data without a window: the chooser stands for the Save dialog.
#include "export/SaveXmlData.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace xmlexport;

// Saves a list of two rows under the name the chooser gives.
static SaveOutcome Save(SaveSwitches switches, const xmlexport::FileChooser& chooseFile)
{
    controls::ResultListContent content;
    content.SetColumns({"LAST_NAME", "NOTES"});
    content.AppendRow({"King", "President"});
    content.AppendRow({"Nobody", "NULL"});
    return SaveXmlData(content, switches, chooseFile);
}

// The chooser moves the current folder (as some platforms' dialogs do) and names the file
// relative to it; the folder from before the dialog comes back after, also when it is cancelled.
TEST(SaveXml, FileNamesFollowTheTypedName)
{
    const struct {
        const char* pszTyped;  // "": cancelled
        SaveSwitches switches;
        std::vector<std::string> arrFiles;  // the data file, then the stylesheet when one is written
    } cases[] = {
        {"emp", {true, true}, {"emp.xml", "emp.xsl"}}, {"Report.XML", {true, true}, {"Report.XML", "Report.xsl"}},
        {"my.xmlfile.xml", {true, true}, {"my.xmlfile.xml", "myfile.xml.xsl"}},
        {"notes.txt", {true, true}, {"notes.txt", "notes.txt.xsl"}}, {"emp", {false, true}, {"emp.xml"}},
        {"emp", {true, false}, {"emp.xml", "emp.xsl"}}, {"sub/../emp", {true, true}, {"emp.xml", "emp.xsl"}},
        {"", {true, true}, {}},
    };
    const auto before = std::filesystem::current_path();
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pszTyped);
        TempFolder folder;
        const SaveOutcome saved = Save(test.switches, [&] {
            std::filesystem::current_path(folder.Path(""));
            return std::string(test.pszTyped);
        });
        EXPECT_EQ(std::filesystem::current_path(), before);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), std::ssize(test.arrFiles));
        EXPECT_EQ(saved.bChosen, !test.arrFiles.empty());
        EXPECT_EQ(saved.bOpen, saved.bChosen && test.switches.bViewXml);
        if (!saved.bChosen)
            continue;
        EXPECT_TRUE(saved.bSaved);
        EXPECT_EQ(saved.strDataPath, (std::filesystem::canonical(folder.Path("")) / test.arrFiles[0]).string());
        const std::string strData = TempFolder::Read(saved.strDataPath);
        EXPECT_NE(strData.find("<NOTES>NULL</NOTES>"), std::string::npos);
        EXPECT_EQ(strData.find("xml-stylesheet") != std::string::npos, test.arrFiles.size() > 1);
        if (test.arrFiles.size() > 1) {
            EXPECT_NE(strData.find("href=\"" + test.arrFiles[1] + "\""), std::string::npos);
            EXPECT_NE(TempFolder::Read(folder.Path(test.arrFiles[1])).find("LAST_NAME"), std::string::npos);
        }
    }
}

// A stylesheet that cannot be written is skipped without a word; the data file names it.
TEST(SaveXml, OnlyTheDataFileDecides)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path("emp.xsl"));
    const SaveOutcome saved = Save({}, [&] { return folder.Path("emp"); });
    EXPECT_TRUE(saved.bSaved);
    EXPECT_NE(TempFolder::Read(saved.strDataPath).find("href=\"emp.xsl\""), std::string::npos);

    const SaveOutcome failed = Save({}, [&] { return folder.Path("no such folder/emp.xml"); });
    EXPECT_FALSE(failed.bSaved);
    EXPECT_EQ(failed.strMessage, "Failed to save XML file!");
    EXPECT_TRUE(failed.bOpen);  // the open request still goes out
}
