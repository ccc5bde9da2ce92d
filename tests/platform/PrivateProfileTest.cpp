#include <gtest/gtest.h>

#include <array>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/TestSupport.h"
#include "platform/PrivateProfile.h"

using namespace platform;

// The order of keys is checked through the settings in tests/settings/LumidexSettingsTest.cpp.
TEST(PrivateProfile, DefaultsInPlaceWritesAndLongValues)
{
    TempFolder folder;
    const std::string path = folder.Path("Lumidex.ini");
    EXPECT_EQ(ReadPrivateProfile("Lumidex", "USER", "d", path), "d");
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(WritePrivateProfile("Lumidex", "USER", "REPORTS", path));
    ASSERT_TRUE(WritePrivateProfile("Lumidex", "MODE", "2", path));
    ASSERT_TRUE(WritePrivateProfile("Lumidex", "user", "", path));
    EXPECT_EQ(TempFolder::Read(path), "[Lumidex]\nUSER=\nMODE=2\n");
    EXPECT_EQ(ReadPrivateProfile("Lumidex", "USER", "d", path), "");
    EXPECT_EQ(ReadPrivateProfile("Lumidex", "XSL", "d", path), "d");

    // Reads are cut, defaults included; the file keeps the value whole.
    const std::string value(5000, 'v');
    ASSERT_TRUE(WritePrivateProfile("Lumidex", "DATABASE", value, path));
    EXPECT_EQ(ReadPrivateProfile("Lumidex", "DATABASE", "", path), value.substr(0, 4095));
    EXPECT_NE(TempFolder::Read(path).find(value), std::string::npos);
    EXPECT_EQ(ReadPrivateProfile("Lumidex", "NONE", value, path).size(), 4095u);
}

// A failed write leaves the old file and nothing else; a write replaces the file
// through a link to it, keeping its mode.
TEST(PrivateProfile, ReplacesTheFileOnlyWhenWritten)
{
    TempFolder folder;
    const std::string target = folder.Put("real.ini", "[Lumidex]\nUSER=kept\n");
    chmod(target.c_str(), 0640);
    const std::string link = folder.Path("Lumidex.ini");
    std::filesystem::create_symlink(target, link);

    // Entries that would not read back as written.
    const std::array<std::string, 3> refused[] = {
        {"Lumidex", "USER", "line\nbreak"}, {"Lumidex", "USER", "carriage\rreturn"}, {"Lumidex", "US=ER", "x"},
        {"Lumidex", "", "x"}, {"Lumidex", " USER", "x"}, {"Lumidex", ";USER", "x"}, {"Lumidex", "[USER", "x"},
        {"Lumi]dex", "USER", "x"}, {"", "USER", "x"}, {"Lumidex\n", "USER", "x"},
    };
    for (const auto& [section, key, value] : refused)
        EXPECT_FALSE(WritePrivateProfile(section, key, value, link)) << section << " " << key << " " << value;
    EXPECT_FALSE(WritePrivateProfile("Lumidex", "USER", "x", folder.Path("no/such/Lumidex.ini")));
    EXPECT_FALSE(WritePrivateProfile("Lumidex", "USER", "x", folder.Path("")));
    // A folder where the file cannot be replaced (not as root, who may write anywhere).
    if (geteuid() != 0) {
        chmod(folder.Path("").c_str(), 0555);
        EXPECT_FALSE(WritePrivateProfile("Lumidex", "USER", "x", link));
        chmod(folder.Path("").c_str(), 0755);
    }
    EXPECT_EQ(TempFolder::Read(target), "[Lumidex]\nUSER=kept\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 2);

    ASSERT_TRUE(WritePrivateProfile("Lumidex", "USER", "b", link));
    EXPECT_EQ(TempFolder::Read(target), "[Lumidex]\nUSER=b\n");
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
}
