#pragma once

#include <string>
#include <string_view>

#include "export/ExportFile.h"
#include "export/WriterResult.h"
#include "platform/LocaleCharset.h"

namespace xmlexport {

// Writes the XML data file: a root "doc", one "row" per list row, in it one
// element per column named after the column header. Each operation writes
// its lines in one piece, in UTF-8, with line feeds. Results are kWriter*.
// A write that fails closes the file and gives kWriterFailed; the writer is
// then closed, so the caller learns of it at the latest from Close.
class XmlExportWriter {
public:
    explicit XmlExportWriter(const std::string& sourceCharset = platform::LocaleCharset());
    // Closes the file like Close, closing lines included.
    virtual ~XmlExportWriter();
    XmlExportWriter(const XmlExportWriter&) = delete;
    XmlExportWriter& operator=(const XmlExportWriter&) = delete;

    // Creates (or truncates) the file and writes the declaration, the
    // stylesheet line when stylesheetRef is not empty, and "<doc>".
    int Open(const std::string& path, std::string_view stylesheetRef);
    int WriteRowStart();
    int WriteField(std::string_view header, std::string_view value);
    int WriteRowEnd();
    // Writes "</doc>" and closes the file.
    int Close();

private:
    ExportFile m_file;
    std::string m_strLine;
};

}  // namespace xmlexport
