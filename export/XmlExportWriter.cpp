#include "export/XmlExportWriter.h"

namespace xmlexport {

XmlExportWriter::XmlExportWriter(const std::string& sourceCharset) : m_file(sourceCharset) {}

XmlExportWriter::~XmlExportWriter() { Close(); }

int XmlExportWriter::Open(const std::string& path, std::string_view stylesheetRef)
{
    std::string lines = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    // Escaped, so that a file name with & or " still gives a well-formed
    // data file; ordinary names come out unchanged.
    if (!stylesheetRef.empty())
        lines += "<?xml-stylesheet type=\"text/xsl\" href=\"" + m_file.Codec().EscapeText(stylesheetRef) +
                 "\"?>\n";
    lines += "<doc>\n";
    return m_file.Open(path, lines);
}

int XmlExportWriter::WriteRowStart() { return m_file.Write("  <row>\n"); }

int XmlExportWriter::WriteField(std::string_view header, std::string_view value)
{
    if (!m_file.IsOpen())
        return kWriterFailed;
    const XmlTextCodec& codec = m_file.Codec();
    // One line buffer for every field, so a field allocates nothing once it has grown.
    m_strLine.assign("    <");
    codec.AppendElementName(header, m_strLine);
    m_strLine.push_back('>');
    codec.AppendEscaped(value, m_strLine);
    m_strLine.append("</");
    codec.AppendElementName(header, m_strLine);
    m_strLine.append(">\n");
    return m_file.Write(m_strLine);
}

int XmlExportWriter::WriteRowEnd() { return m_file.Write("  </row>\n"); }

int XmlExportWriter::Close()
{
    if (!m_file.IsOpen())
        return kWriterFailed;
    return m_file.Close("</doc>\n");
}

}  // namespace xmlexport
