// Save XML data without a window: the chooser stands for the Save dialog.
#include "export/SaveXmlData.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using xmlexport::SaveOutcome;
using xmlexport::SaveSwitches;

// Saves a list of two rows under the name the chooser gives.
SaveOutcome Save(SaveSwitches switches, const xmlexport::FileChooser& chooseFile)
{
    controls::ResultListContent content;
    content.SetColumns({"LAST_NAME", "NOTES"});
    content.AppendRow({"King", "President"});
    content.AppendRow({"Nobody", "NULL"});
    return xmlexport::SaveXmlData(content, switches, chooseFile);
}

std::vector<std::string> Files(const TempFolder& folder)
{
    std::vector<std::string> arrNames;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path("")))
        arrNames.push_back(entry.path().filename().string());
    std::sort(arrNames.begin(), arrNames.end());
    return arrNames;
}

bool Contains(const std::string& strText, const std::string& strPart)
{
    return strText.find(strPart) != std::string::npos;
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
        EXPECT_EQ(Files(folder), test.arrFiles);
        EXPECT_EQ(saved.bChosen, !test.arrFiles.empty());
        EXPECT_EQ(saved.bOpen, saved.bChosen && test.switches.bViewXml);
        if (!saved.bChosen)
            continue;
        EXPECT_TRUE(saved.bSaved);
        EXPECT_EQ(saved.strMessage, "Saved XML file!");
        EXPECT_EQ(saved.strDataPath, (std::filesystem::canonical(folder.Path("")) / test.arrFiles[0]).string());
        const std::string strData = TempFolder::Read(saved.strDataPath);
        EXPECT_TRUE(Contains(strData, "<NOTES>NULL</NOTES>"));
        EXPECT_EQ(Contains(strData, "xml-stylesheet"), test.arrFiles.size() > 1);
        if (test.arrFiles.size() > 1) {
            EXPECT_TRUE(Contains(strData, "href=\"" + test.arrFiles[1] + "\""));
            EXPECT_TRUE(Contains(TempFolder::Read(folder.Path(test.arrFiles[1])), "LAST_NAME"));
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
    EXPECT_TRUE(Contains(TempFolder::Read(saved.strDataPath), "href=\"emp.xsl\""));

    const SaveOutcome failed = Save({}, [&] { return folder.Path("no such folder/emp.xml"); });
    EXPECT_TRUE(failed.bChosen);
    EXPECT_FALSE(failed.bSaved);
    EXPECT_EQ(failed.strMessage, "Failed to save XML file!");
    EXPECT_TRUE(failed.bOpen);  // the open request still goes out
}

}  // namespace
