#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "settings/LumidexSettings.h"

using namespace settings;

// In a folder of its own, the settings file being relative: the defaults without a file; a
// confirmed Connect dialog and a confirmed Configuration dialog make one, keys in writing
// order; what the switches and the login mode make of the values, read afresh each time.
TEST(Settings, DefaultsWritingOrderAndRules)
{
    TempFolder folder;
    const std::filesystem::path oldPath = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path(""));
    for (Setting setting : {Setting::Database, Setting::User, Setting::Mode})
        EXPECT_EQ(ReadSetting(setting), "");
    EXPECT_EQ(ReadLoginMode(), 0);
    EXPECT_TRUE(ReadSwitch(Setting::Xsl));
    EXPECT_TRUE(ReadSwitch(Setting::ViewXml));
    EXPECT_FALSE(std::filesystem::exists("Lumidex.ini"));

    EXPECT_TRUE(WriteSetting(Setting::Database, "SALES") && WriteSetting(Setting::User, "REPORTS") &&
                WriteLoginMode(2) && WriteSwitch(Setting::Xsl, true) && WriteSwitch(Setting::ViewXml, false));
    EXPECT_EQ(TempFolder::Read("Lumidex.ini"), "[Lumidex]\nDATABASE=SALES\nUSER=REPORTS\nMODE=2\nXSL=1\nVIEWXML=0\n");

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
        folder.Put("Lumidex.ini", "[Lumidex]\nXSL=" + value + "\nVIEWXML=" + value + "\nMODE=" + value + "\n");
        EXPECT_EQ(ReadSwitch(Setting::Xsl), test.bOn) << value;
        EXPECT_EQ(ReadSwitch(Setting::ViewXml), test.bOn) << value;
        EXPECT_EQ(ReadLoginMode(), test.nMode) << value;
    }
    EXPECT_EQ(ReadSetting(Setting::User), "");
    std::filesystem::current_path(oldPath);
}
