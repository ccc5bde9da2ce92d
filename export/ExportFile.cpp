#include "export/ExportFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "export/WriterResult.h"

namespace xmlexport {

namespace {

// One page: few system calls, and a device that fails is noticed within a
// few rows rather than at Close.
constexpr std::size_t kFlushSize = 4096;

}  // namespace

ExportFile::ExportFile(const std::string& sourceCharset) : m_codec(sourceCharset) {}

ExportFile::~ExportFile() { CloseQuietly(); }

void ExportFile::CloseQuietly()
{
    if (m_nFd >= 0)
        close(m_nFd);
    m_nFd = -1;
    m_nOpen = 0;
    m_strPending.clear();
}

int ExportFile::Open(const std::string& path, std::string_view firstLines)
{
    if (IsOpen())
        return kWriterAlreadyOpen;
    m_nFd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
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
    const int nResult = close(m_nFd);
    m_nFd = -1;
    m_nOpen = 0;
    return nResult == 0 ? kWriterOk : kWriterFailed;
}

}  // namespace xmlexport
