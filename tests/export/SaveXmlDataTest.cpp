// Save XML data without a window: the chooser stands for the Save dialog.
#include "export/SaveXmlData.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using xmlexport::SaveOutcome;
using xmlexport::SaveSwitches;

class SaveXml : public ::testing::Test {
protected:
    SaveXml()
    {
        m_content.SetColumns({"LAST_NAME", "NOTES"});
        m_content.AppendRow({"King", "President"});
        m_content.AppendRow({"Nobody", "NULL"});
    }

    SaveOutcome Save(SaveSwitches switches, const std::string& strChosen)
    {
        return xmlexport::SaveXmlData(m_content, switches, [&] { return strChosen; });
    }

    static std::vector<std::string> Files(const TempFolder& folder)
    {
        std::vector<std::string> arrNames;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path("")))
            arrNames.push_back(entry.path().filename().string());
        std::sort(arrNames.begin(), arrNames.end());
        return arrNames;
    }

    static bool Contains(const std::string& strText, const std::string& strPart)
    {
        return strText.find(strPart) != std::string::npos;
    }

    TempFolder m_folder;
    controls::ResultListContent m_content;
};

// The chooser moves the current folder (as some platforms' dialogs do) and names the file
// relative to it; the folder from before the dialog comes back after, also when it is cancelled.
TEST_F(SaveXml, FileNamesFollowTheTypedName)
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
        const SaveOutcome saved = xmlexport::SaveXmlData(m_content, test.switches, [&] {
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

TEST_F(SaveXml, OnlyTheDataFileDecides)
{
    // A stylesheet that cannot be written is skipped without a word; the data file names it.
    std::filesystem::create_directory(m_folder.Path("emp.xsl"));
    const SaveOutcome saved = Save({}, m_folder.Path("emp"));
    EXPECT_TRUE(saved.bSaved);
    EXPECT_TRUE(Contains(TempFolder::Read(saved.strDataPath), "href=\"emp.xsl\""));

    const SaveOutcome failed = Save({}, m_folder.Path("no such folder/emp.xml"));
    EXPECT_TRUE(failed.bChosen);
    EXPECT_FALSE(failed.bSaved);
    EXPECT_EQ(failed.strMessage, "Failed to save XML file!");
    EXPECT_TRUE(failed.bOpen);  // the open request still goes out
}

}  // namespace
