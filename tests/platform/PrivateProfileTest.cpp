#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/TestSupport.h"
#include "platform/PrivateProfile.h"

using platform::ReadPrivateProfile;
using platform::WritePrivateProfile;

TEST(PrivateProfile, MissingFileSectionOrKeyGiveTheDefault)
{
    TempFolder folder;
    const std::string missing = folder.Path("none.ini");
    EXPECT_EQ(ReadPrivateProfile("Lumidex", "XSL", "1", missing), "1");
    EXPECT_FALSE(std::filesystem::exists(missing));

    const std::string path = folder.Put("a.ini", "[Other]\nXSL=0\n[Lumidex]\nUSER=x\n");
    EXPECT_EQ(ReadPrivateProfile("Nothing", "XSL", "d", path), "d");
    EXPECT_EQ(ReadPrivateProfile("Lumidex", "XSL", "d", path), "d");
    EXPECT_EQ(ReadPrivateProfile("lumidex", "user", "d", path), "x");
}

// The order of keys is checked through the settings in tests/settings/LumidexSettingsTest.cpp.
TEST(PrivateProfile, CreatesFileAndReplacesInPlace)
{
    TempFolder folder;
    const std::string path = folder.Path("Lumidex.ini");
    ASSERT_TRUE(WritePrivateProfile("Lumidex", "USER", "REPORTS", path));
    ASSERT_TRUE(WritePrivateProfile("Lumidex", "MODE", "2", path));
    ASSERT_TRUE(WritePrivateProfile("Lumidex", "user", "", path));
    EXPECT_EQ(ReadPrivateProfile("Lumidex", "USER", "default", path), "");
    EXPECT_EQ(TempFolder::Read(path), "[Lumidex]\nUSER=\nMODE=2\n");
}

TEST(PrivateProfile, LongValuesAreCutOnRead)
{
    TempFolder folder;
    const std::string path = folder.Path("Lumidex.ini");
    const std::string value(5000, 'v');
    ASSERT_TRUE(WritePrivateProfile("Lumidex", "DATABASE", value, path));
    EXPECT_EQ(ReadPrivateProfile("Lumidex", "DATABASE", "", path), value.substr(0, 4095));
    EXPECT_NE(TempFolder::Read(path).find(value), std::string::npos);
    EXPECT_EQ(ReadPrivateProfile("Lumidex", "NONE", value, path).size(), 4095u);
}

TEST(PrivateProfile, FailedWritesLoseNothing)
{
    TempFolder folder;
    const std::string path = folder.Put("Lumidex.ini", "[Lumidex]\nUSER=kept\n");

    EXPECT_FALSE(WritePrivateProfile("Lumidex", "USER", "two\nlines", path));
    EXPECT_FALSE(WritePrivateProfile("Lumidex", "", "x", path));
    EXPECT_EQ(TempFolder::Read(path), "[Lumidex]\nUSER=kept\n");

    // A folder that is not there.
    EXPECT_FALSE(WritePrivateProfile("Lumidex", "USER", "x", folder.Path("no/such/Lumidex.ini")));
    // A folder where the file cannot be replaced (skipped as root, who may
    // write anywhere).
    if (geteuid() != 0) {
        chmod(folder.Path("").c_str(), 0555);
        EXPECT_FALSE(WritePrivateProfile("Lumidex", "USER", "x", path));
        chmod(folder.Path("").c_str(), 0755);
        EXPECT_EQ(TempFolder::Read(path), "[Lumidex]\nUSER=kept\n");
    }
    // A path that is a folder, not a file.
    EXPECT_FALSE(WritePrivateProfile("Lumidex", "USER", "x", folder.Path("")));
    std::size_t nFiles = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path("")))
        ++nFiles;
    EXPECT_EQ(nFiles, 1u);
}

TEST(PrivateProfile, ReplacingKeepsModeAndLinks)
{
    TempFolder folder;
    const std::string target = folder.Put("real.ini", "[Lumidex]\nUSER=a\n");
    chmod(target.c_str(), 0640);
    const std::string link = folder.Path("Lumidex.ini");
    std::filesystem::create_symlink(target, link);

    ASSERT_TRUE(WritePrivateProfile("Lumidex", "USER", "b", link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempFolder::Read(target), "[Lumidex]\nUSER=b\n");
    struct stat status {};
    ASSERT_EQ(stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}
