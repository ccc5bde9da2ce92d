#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "settings/LumidexSettings.h"

using namespace settings;

namespace {

// Runs a test in a folder of its own, the settings file being relative.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldPath = std::filesystem::current_path();
        std::filesystem::current_path(m_folder.Path(""));
    }
    void TearDown() override { std::filesystem::current_path(m_oldPath); }

    void PutSettings(const std::string& lines) { m_folder.Put("Lumidex.ini", "[Lumidex]\n" + lines); }
    std::string SettingsText() const { return TempFolder::Read(m_folder.Path("Lumidex.ini")); }

    TempFolder m_folder;
    std::filesystem::path m_oldPath;
};

}  // namespace

// What the switches and the login mode make of the values in the file.
TEST_F(SettingsTest, SwitchAndModeRules)
{
    const struct {
        const char* pszValue;
        bool bOn;
        int nMode;
    } cases[] = {
        {"1", true, 1}, {"1x", true, 0}, {"10", true, 0}, {"0", false, 0}, {"yes", false, 0}, {"", false, 0},
        {" 1", true, 1}, {"\"1\"", true, 1}, {"2", false, 2}, {"3", false, 0}, {"01", false, 0}, {"2x", false, 0},
    };
    for (const auto& test : cases) {
        const std::string value = test.pszValue;
        PutSettings("XSL=" + value + "\nVIEWXML=" + value + "\nMODE=" + value + "\n");
        EXPECT_EQ(ReadSwitch(Setting::Xsl), test.bOn) << value;
        EXPECT_EQ(ReadSwitch(Setting::ViewXml), test.bOn) << value;
        EXPECT_EQ(ReadLoginMode(), test.nMode) << value;
    }
}

// Defaults without a file; then a confirmed Connect dialog and a confirmed Configuration
// dialog make one, keys in writing order, read back at once with no cache in between.
TEST_F(SettingsTest, DefaultsThenANewFileInWritingOrder)
{
    EXPECT_EQ(ReadSetting(Setting::Database), "");
    EXPECT_EQ(ReadSetting(Setting::User), "");
    EXPECT_EQ(ReadSetting(Setting::Mode), "");
    EXPECT_EQ(ReadLoginMode(), 0);
    EXPECT_TRUE(ReadSwitch(Setting::Xsl));
    EXPECT_TRUE(ReadSwitch(Setting::ViewXml));
    EXPECT_FALSE(std::filesystem::exists("Lumidex.ini"));

    EXPECT_TRUE(WriteSetting(Setting::Database, "SALES"));
    EXPECT_TRUE(WriteSetting(Setting::User, "REPORTS"));
    EXPECT_TRUE(WriteLoginMode(2));
    EXPECT_TRUE(WriteSwitch(Setting::Xsl, true));
    EXPECT_TRUE(WriteSwitch(Setting::ViewXml, false));
    EXPECT_EQ(SettingsText(), "[Lumidex]\nDATABASE=SALES\nUSER=REPORTS\nMODE=2\nXSL=1\nVIEWXML=0\n");
    EXPECT_EQ(ReadLoginMode(), 2);
    EXPECT_FALSE(ReadSwitch(Setting::ViewXml));
    PutSettings("VIEWXML=1\n");
    EXPECT_TRUE(ReadSwitch(Setting::ViewXml));
    EXPECT_EQ(ReadSetting(Setting::User), "");
}
