#pragma once

#include <string>
#include <string_view>

#include "export/ExportFile.h"
#include "export/WriterResult.h"
#include "platform/LocaleCharset.h"

namespace xmlexport {

// XSLT 1.0, which browsers and XSLT processors know.
inline constexpr std::string_view kXslNamespace = "http://www.w3.org/1999/XSL/Transform";

// Writes the XSL stylesheet that shows the data file as an HTML table: one
// header cell and one value cell per column, named by the same element-name
// rule as the data file. Results and failures as for XmlExportWriter.
class XslStylesheetWriter {
public:
    explicit XslStylesheetWriter(const std::string& sourceCharset = platform::LocaleCharset());
    // Closes the file like Close, closing lines included.
    virtual ~XslStylesheetWriter();
    XslStylesheetWriter(const XslStylesheetWriter&) = delete;
    XslStylesheetWriter& operator=(const XslStylesheetWriter&) = delete;

    // Starts the file (it replaces path at Close) and writes up to the header
    // row's "<tr>".
    int Open(const std::string& path);
    int WriteHeaderCell(std::string_view header);
    // Ends the header row and starts the template of a data row.
    int WriteRowTemplateStart();
    int WriteValueCell(std::string_view header);
    // Writes the closing lines and closes the file.
    int Close();

private:
    ExportFile m_file;
};

}  // namespace xmlexport
