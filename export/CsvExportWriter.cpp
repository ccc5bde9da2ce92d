#include "export/CsvExportWriter.h"

#include "controls/ResultListContent.h"

namespace xmlexport {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool NeedsQuotes(std::string_view field)
{
    return field.find_first_of(",\"\r\n") != std::string_view::npos ||
           (!field.empty() && (IsBlank(field.front()) || IsBlank(field.back())));
}

}  // namespace

void AppendCsvField(std::string_view field, std::string& out)
{
    if (!NeedsQuotes(field)) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char c : field) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

CsvExportWriter::CsvExportWriter(const std::string& sourceCharset) : m_file(sourceCharset) {}

int CsvExportWriter::Open(const std::string& path) { return m_file.Open(path, ""); }

int CsvExportWriter::WriteField(std::string_view field)
{
    if (!m_file.IsOpen())
        return kWriterFailed;
    if (m_bFieldWritten)
        m_strRecord.push_back(',');
    m_bFieldWritten = true;
    AppendCsvField(field, m_strRecord);
    return kWriterOk;
}

int CsvExportWriter::EndRecord()
{
    if (!m_file.IsOpen())
        return kWriterFailed;
    m_strRecord.append("\r\n");
    const int nResult = m_file.Write(m_strRecord);
    m_strRecord.clear();
    m_bFieldWritten = false;
    return nResult;
}

int CsvExportWriter::Close()
{
    if (!m_file.IsOpen())
        return kWriterFailed;
    return m_file.Close("");
}

bool SaveCsvFile(const std::string& path, const controls::ResultListContent& content,
                 const std::string& sourceCharset)
{
    CsvExportWriter writer(sourceCharset);
    if (writer.Open(path) != kWriterOk)
        return false;
    int nResult = kWriterOk;
    for (int nColumn = 0; nColumn < content.ColumnCount(); ++nColumn)
        nResult |= writer.WriteField(content.HeaderText(nColumn));
    nResult |= writer.EndRecord();
    for (int nRow = 0; nRow < content.RowCount() && nResult == kWriterOk; ++nRow) {
        for (int nColumn = 0; nColumn < content.ColumnCount(); ++nColumn)
            nResult |= writer.WriteField(content.CellText(nRow, nColumn));
        nResult |= writer.EndRecord();
    }
    nResult |= writer.Close();
    return nResult == kWriterOk;
}

}  // namespace xmlexport
