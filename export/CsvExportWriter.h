#pragma once

#include <string>
#include <string_view>

#include "export/ExportFile.h"
#include "export/WriterResult.h"
#include "platform/LocaleCharset.h"

namespace controls {
class ResultListContent;
}

namespace xmlexport {

// Appends one field as comma-separated values write it: enclosed in double
// quotes when it holds a comma, a double quote, a carriage return or a line
// feed, or begins or ends with a blank, each inner double quote doubled.
void AppendCsvField(std::string_view field, std::string& out);

// Writes a comma-separated values file: records of fields, each record
// ended by carriage return and line feed, in UTF-8 without a byte-order
// mark. Results and failures as for XmlExportWriter; the file replaces an
// old one only when Close succeeds.
class CsvExportWriter {
public:
    explicit CsvExportWriter(const std::string& sourceCharset = platform::LocaleCharset());
    CsvExportWriter(const CsvExportWriter&) = delete;
    CsvExportWriter& operator=(const CsvExportWriter&) = delete;

    int Open(const std::string& path);
    // The next field of the current record.
    int WriteField(std::string_view field);
    int EndRecord();
    int Close();

private:
    ExportFile m_file;
    std::string m_strRecord;  // one buffer for every record
    bool m_bFieldWritten = false;
};

// The list as shown: its header texts, then every row in the order shown,
// every column by index, its texts taken as of sourceCharset. False unless
// all of it reached the file at path.
bool SaveCsvFile(const std::string& path, const controls::ResultListContent& content,
                 const std::string& sourceCharset = platform::LocaleCharset());

}  // namespace xmlexport
