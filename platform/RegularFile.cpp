#include "platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_nFd(fd) {}
    ~FileDescriptor()
    {
        if (m_nFd >= 0)
            close(m_nFd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_nFd; }

private:
    int m_nFd;
};

}  // namespace

FileRead ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& text)
{
    text.clear();
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        return errno == ENOENT || errno == ENOTDIR || errno == ENXIO ? FileRead::Missing : FileRead::Failed;
    struct stat status {};
    if (fstat(file.Get(), &status) != 0)
        return FileRead::Failed;
    if (!S_ISREG(status.st_mode) || static_cast<unsigned long long>(status.st_size) > maxBytes)
        return FileRead::Missing;
    // One byte more than the bound tells a file that grew meanwhile.
    char buffer[8192];
    while (text.size() <= maxBytes) {
        const ssize_t nRead = read(file.Get(), buffer, sizeof buffer);
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead < 0)
            return FileRead::Failed;
        if (nRead == 0)
            return FileRead::Read;
        text.append(buffer, static_cast<std::size_t>(nRead));
    }
    text.clear();
    return FileRead::Missing;
}

}  // namespace platform
