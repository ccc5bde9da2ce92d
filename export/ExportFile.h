#pragma once

#include <string>
#include <string_view>

#include "export/XmlTextCodec.h"

namespace xmlexport {

// The open file of one XML writer and its open flag. Texts go out in UTF-8,
// byte for byte, with no newline translation, gathered a page at a time so
// that a row costs no system call of its own; the first lines go out at
// once, so a file that cannot take them fails Open. Results are kWriter*; a
// failed write closes the file, and the operation that sent it, or any later
// one, reports the failure.
//
// The text goes to a temporary file beside the target, which replaces the
// target only at a successful Close: a save that fails part-way (a full
// disk) leaves an old file as it was and no temporary file behind.
class ExportFile {
public:
    explicit ExportFile(const std::string& sourceCharset);
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    bool IsOpen() const { return m_nOpen != 0; }
    const XmlTextCodec& Codec() const { return m_codec; }

    // Starts the temporary file for path and writes firstLines.
    int Open(const std::string& path, std::string_view firstLines);
    int Write(std::string_view text);
    // Writes lastLines, closes the file and puts it in place of path. Fails
    // when the system reports that data may not have reached the file.
    int Close(std::string_view lastLines);

private:
    void CloseQuietly();
    // Writes out what is gathered.
    int Flush();

    int m_nFd = -1;
    std::string m_strPath;       // the target
    std::string m_strTemporary;  // beside it, until Close renames it
    int m_nOpen = 0;
    std::string m_strPending;
    XmlTextCodec m_codec;
};

}  // namespace xmlexport
