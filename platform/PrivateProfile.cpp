#include "platform/PrivateProfile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ProfileText.h"
#include "platform/RegularFile.h"

namespace platform {

namespace {

// A settings file is a few lines; anything larger is not one.
constexpr std::size_t kMaxProfileBytes = std::size_t{16} << 20;

bool WriteAll(int fd, const std::string& text)
{
    std::size_t nDone = 0;
    while (nDone < text.size()) {
        const ssize_t nWritten = write(fd, text.data() + nDone, text.size() - nDone);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return false;
        nDone += static_cast<std::size_t>(nWritten);
    }
    return true;
}

// A new file has nothing to lose: written directly, removed again when the
// write fails.
bool CreateWithText(const std::string& path, const std::string& text)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const bool bWritten = WriteAll(fd, text) && fsync(fd) == 0;
    if (close(fd) != 0 || !bWritten) {
        unlink(path.c_str());
        return false;
    }
    return true;
}

// An existing file is replaced by a complete copy, so a full disk or a crash
// never leaves it cut short. Written through a symbolic link to its target.
bool ReplaceWithText(const std::string& path, const std::string& text)
{
    char resolved[PATH_MAX];
    const std::string target = realpath(path.c_str(), resolved) ? resolved : path;
    struct stat status {};
    if (stat(target.c_str(), &status) != 0)
        return false;

    std::string temporary = target + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    const bool bWritten = fchmod(fd, status.st_mode & 07777) == 0 && WriteAll(fd, text) &&
                          fsync(fd) == 0;
    if (close(fd) != 0 || !bWritten || rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string ReadPrivateProfile(std::string_view section, std::string_view key,
                               std::string_view defaultValue, const std::string& path)
{
    std::string text;
    std::string value(defaultValue);
    if (ReadRegularFile(path, kMaxProfileBytes, text) == FileRead::Read) {
        if (auto found = FindProfileValue(text, section, key))
            value = std::move(*found);
    }
    if (value.size() > kProfileValueLimit)
        value.resize(kProfileValueLimit);
    return value;
}

bool WritePrivateProfile(std::string_view section, std::string_view key,
                         std::string_view value, const std::string& path)
{
    if (!IsStorableProfileEntry(section, key, value))
        return false;
    std::string text;
    switch (ReadRegularFile(path, kMaxProfileBytes, text)) {
    case FileRead::Failed:
        return false;
    case FileRead::Missing:
        return CreateWithText(path, WithProfileValue("", section, key, value));
    case FileRead::Read:
        break;
    }
    return ReplaceWithText(path, WithProfileValue(text, section, key, value));
}

}  // namespace platform
