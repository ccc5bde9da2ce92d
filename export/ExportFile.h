#pragma once

#include <string>
#include <string_view>

#include "export/XmlTextCodec.h"

namespace xmlexport {

// The open file of one XML writer and its open flag. Every text goes out in
// UTF-8 in one write, byte for byte, with no newline translation. Results
// are kWriter*; a failed write closes the file.
class ExportFile {
public:
    explicit ExportFile(const std::string& sourceCharset);
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    bool IsOpen() const { return m_nOpen != 0; }
    const XmlTextCodec& Codec() const { return m_codec; }

    // Creates the file (truncating an existing one) and writes firstLines.
    int Open(const std::string& path, std::string_view firstLines);
    int Write(std::string_view text);
    // Writes lastLines and closes the file. Fails when the system reports
    // that data may not have reached the file.
    int Close(std::string_view lastLines);

private:
    void CloseQuietly();

    int m_nFd = -1;
    int m_nOpen = 0;
    XmlTextCodec m_codec;
};

}  // namespace xmlexport
