#include "export/ExportFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "export/WriterResult.h"

namespace xmlexport {

namespace {

// One page: few system calls, and a device that fails is noticed within a
// few rows rather than at Close.
constexpr std::size_t kFlushSize = 4096;

// A hidden name in the target's folder, so that the rename stays on one
// file system.
std::string TemporaryPattern(const std::string& path)
{
    const std::size_t nSlash = path.rfind('/');
    const std::size_t nName = nSlash == std::string::npos ? 0 : nSlash + 1;
    return path.substr(0, nName) + "." + path.substr(nName) + ".XXXXXX";
}

mode_t CurrentUmask()
{
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

}  // namespace

ExportFile::ExportFile(const std::string& sourceCharset) : m_codec(sourceCharset) {}

ExportFile::~ExportFile() { CloseQuietly(); }

void ExportFile::CloseQuietly()
{
    if (m_nFd >= 0) {
        close(m_nFd);
        unlink(m_strTemporary.c_str());
    }
    m_nFd = -1;
    m_nOpen = 0;
    m_strPending.clear();
}

int ExportFile::Open(const std::string& path, std::string_view firstLines)
{
    if (IsOpen())
        return kWriterAlreadyOpen;
    // Through a symbolic link to its target; never over what is no regular
    // file (a device or a FIFO is not replaced by one).
    char resolved[PATH_MAX];
    m_strPath = realpath(path.c_str(), resolved) ? resolved : path;
    struct stat old {};
    if (lstat(m_strPath.c_str(), &old) == 0 && !S_ISREG(old.st_mode))
        return kWriterFailed;
    m_strTemporary = TemporaryPattern(m_strPath);
    m_nFd = mkostemp(m_strTemporary.data(), O_CLOEXEC);
    if (m_nFd < 0)
        return kWriterFailed;
    m_nOpen = 1;
    m_strPending.reserve(2 * kFlushSize);
    m_codec.AppendUtf8(firstLines, m_strPending);
    return Flush();
}

int ExportFile::Write(std::string_view text)
{
    if (!IsOpen())
        return kWriterFailed;
    m_codec.AppendUtf8(text, m_strPending);
    return m_strPending.size() >= kFlushSize ? Flush() : kWriterOk;
}

int ExportFile::Flush()
{
    std::string_view rest(m_strPending);
    while (!rest.empty()) {
        const ssize_t nWritten = write(m_nFd, rest.data(), rest.size());
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0) {
            CloseQuietly();
            return kWriterFailed;
        }
        rest.remove_prefix(static_cast<std::size_t>(nWritten));
    }
    m_strPending.clear();
    return kWriterOk;
}

int ExportFile::Close(std::string_view lastLines)
{
    if (Write(lastLines) != kWriterOk || Flush() != kWriterOk)
        return kWriterFailed;
    // The mode a file made by open(0666) would have had; a file replaced
    // keeps its own.
    struct stat old {};
    const mode_t mode = stat(m_strPath.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
    if (fchmod(m_nFd, mode) != 0 || fsync(m_nFd) != 0) {
        CloseQuietly();
        return kWriterFailed;
    }
    const int nClosed = close(m_nFd);
    m_nFd = -1;
    m_nOpen = 0;
    if (nClosed != 0 || rename(m_strTemporary.c_str(), m_strPath.c_str()) != 0) {
        unlink(m_strTemporary.c_str());
        return kWriterFailed;
    }
    return kWriterOk;
}

}  // namespace xmlexport
