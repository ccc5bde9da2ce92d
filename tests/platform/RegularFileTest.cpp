#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/PrivateProfile.h"
#include "platform/RegularFile.h"
#include "tests/support/TestSupport.h"

using platform::FileRead;

// Only a regular file within the bound is read; anything else reads as
// missing at once: no wait for a FIFO's writer, no endless device.
TEST(RegularFile, AnythingButABoundedRegularFileIsMissing)
{
    TempFolder folder;
    const std::string regular = folder.Put("a.ini", "[Lumidex]\nXSL=0\n");
    const std::string fifo = folder.Path("fifo.ini");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder.Path("zero.ini"));
    std::filesystem::create_symlink(regular, folder.Path("link.ini"));
    const std::string large = folder.Put("large.ini", "[Lumidex]\nXSL=0\n");
    std::filesystem::resize_file(large, 1025);

    const std::pair<std::string, FileRead> cases[] = {
        {regular, FileRead::Read},          {folder.Path("link.ini"), FileRead::Read},
        {fifo, FileRead::Missing},          {folder.Path("zero.ini"), FileRead::Missing},
        {large, FileRead::Missing},         {folder.Path(""), FileRead::Missing},
        {folder.Path("none.ini"), FileRead::Missing}, {folder.Path("a.ini/x"), FileRead::Missing},
    };
    for (const auto& [path, result] : cases) {
        std::string text = "left over";
        EXPECT_EQ(platform::ReadRegularFile(path, 1024, text), result) << path;
        EXPECT_EQ(text, result == FileRead::Read ? "[Lumidex]\nXSL=0\n" : "") << path;
    }
    // The settings file reads so too.
    EXPECT_EQ(platform::ReadPrivateProfile("Lumidex", "XSL", "1", fifo), "1");
}
