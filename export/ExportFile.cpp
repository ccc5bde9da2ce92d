#include "export/ExportFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "export/WriterResult.h"

namespace xmlexport {

ExportFile::ExportFile(const std::string& sourceCharset) : m_codec(sourceCharset) {}

ExportFile::~ExportFile() { CloseQuietly(); }

void ExportFile::CloseQuietly()
{
    if (m_nFd >= 0)
        close(m_nFd);
    m_nFd = -1;
    m_nOpen = 0;
}

int ExportFile::Open(const std::string& path, std::string_view firstLines)
{
    if (IsOpen())
        return kWriterAlreadyOpen;
    m_nFd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_nFd < 0)
        return kWriterFailed;
    m_nOpen = 1;
    return Write(firstLines);
}

int ExportFile::Write(std::string_view text)
{
    if (!IsOpen())
        return kWriterFailed;
    const std::string bytes = m_codec.ToUtf8(text);
    std::string_view rest(bytes);
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
    return kWriterOk;
}

int ExportFile::Close(std::string_view lastLines)
{
    if (Write(lastLines) != kWriterOk)
        return kWriterFailed;
    const int nResult = close(m_nFd);
    m_nFd = -1;
    m_nOpen = 0;
    return nResult == 0 ? kWriterOk : kWriterFailed;
}

}  // namespace xmlexport
