#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/TestSupport.h"
#include "settings/LumidexSettings.h"

using settings::ReadLoginMode;
using settings::ReadSetting;
using settings::ReadSwitch;
using settings::Setting;
using settings::WriteLoginMode;
using settings::WriteSetting;
using settings::WriteSwitch;

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

TEST_F(SettingsTest, DefaultsWithoutAFile)
{
    EXPECT_EQ(ReadSetting(Setting::Database), "");
    EXPECT_EQ(ReadSetting(Setting::User), "");
    EXPECT_EQ(ReadSetting(Setting::Mode), "");
    EXPECT_EQ(ReadLoginMode(), 0);
    EXPECT_TRUE(ReadSwitch(Setting::Xsl));
    EXPECT_TRUE(ReadSwitch(Setting::ViewXml));
    EXPECT_FALSE(std::filesystem::exists("Lumidex.ini"));
}

TEST_F(SettingsTest, SwitchRule)
{
    const std::pair<const char*, bool> cases[] = {
        {"XSL=1", true}, {"XSL=1x", true}, {"XSL=10", true}, {"XSL=0", false},
        {"XSL=yes", false}, {"XSL=", false}, {"XSL= 1", true}, {"XSL=\"1\"", true},
    };
    for (const auto& [line, on] : cases) {
        PutSettings(std::string(line) + "\nVIEWXML" + (line + 3) + "\n");
        EXPECT_EQ(ReadSwitch(Setting::Xsl), on) << line;
        EXPECT_EQ(ReadSwitch(Setting::ViewXml), on) << line;
    }
}

TEST_F(SettingsTest, ModeRule)
{
    const std::pair<const char*, int> cases[] = {
        {"MODE=1", 1}, {"MODE=2", 2}, {"MODE=0", 0}, {"MODE=3", 0},
        {"MODE=01", 0}, {"MODE=", 0}, {"MODE=2x", 0}, {"mode=2", 2},
    };
    for (const auto& [line, mode] : cases) {
        PutSettings(std::string(line) + "\n");
        EXPECT_EQ(ReadLoginMode(), mode) << line;
    }
}

// A confirmed Connect dialog, then a confirmed Configuration dialog.
TEST_F(SettingsTest, NewFileHoldsKeysInWritingOrder)
{
    EXPECT_TRUE(WriteSetting(Setting::Database, "SALES"));
    EXPECT_TRUE(WriteSetting(Setting::User, "REPORTS"));
    EXPECT_TRUE(WriteLoginMode(2));
    EXPECT_TRUE(WriteSwitch(Setting::Xsl, true));
    EXPECT_TRUE(WriteSwitch(Setting::ViewXml, false));
    EXPECT_EQ(SettingsText(), "[Lumidex]\nDATABASE=SALES\nUSER=REPORTS\nMODE=2\nXSL=1\nVIEWXML=0\n");

    // Read at once, no cache in between.
    EXPECT_EQ(ReadLoginMode(), 2);
    EXPECT_FALSE(ReadSwitch(Setting::ViewXml));
    PutSettings("VIEWXML=1\n");
    EXPECT_TRUE(ReadSwitch(Setting::ViewXml));
    EXPECT_EQ(ReadSetting(Setting::User), "");
}
