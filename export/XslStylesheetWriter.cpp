#include "export/XslStylesheetWriter.h"

namespace xmlexport {

XslStylesheetWriter::XslStylesheetWriter(const std::string& sourceCharset) : m_file(sourceCharset) {}

XslStylesheetWriter::~XslStylesheetWriter() { Close(); }

int XslStylesheetWriter::Open(const std::string& path)
{
    std::string lines = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    lines += "<xsl:stylesheet xmlns:xsl=\"" + std::string(kXslNamespace) + "\" version=\"1.0\">\n";
    lines +=
        "<xsl:template match=\"/\">\n"
        "  <html>\n"
        "  <body bgcolor=\"#FFFFFF\" text=\"#000000\">\n"
        "    <table border=\"3\">\n"
        "      <tr>\n";
    return m_file.Open(path, lines);
}

int XslStylesheetWriter::WriteHeaderCell(std::string_view header)
{
    if (!m_file.IsOpen())
        return kWriterFailed;
    return m_file.Write("       <th>" + m_file.Codec().MakeElementName(header) + "</th>\n");
}

int XslStylesheetWriter::WriteRowTemplateStart()
{
    return m_file.Write(
        "      </tr>\n"
        "      <xsl:for-each select=\"doc/row\">\n"
        "      <tr>\n");
}

int XslStylesheetWriter::WriteValueCell(std::string_view header)
{
    if (!m_file.IsOpen())
        return kWriterFailed;
    return m_file.Write("       <td><xsl:value-of select=\"" + m_file.Codec().MakeElementName(header) +
                        "\"/></td>\n");
}

int XslStylesheetWriter::Close()
{
    if (!m_file.IsOpen())
        return kWriterFailed;
    return m_file.Close(
        "      </tr>\n"
        "      </xsl:for-each>\n"
        "    </table>\n"
        "  </body>\n"
        "  </html>\n"
        "</xsl:template>\n"
        "</xsl:stylesheet>\n");
}

}  // namespace xmlexport
