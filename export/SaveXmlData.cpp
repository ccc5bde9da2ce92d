#include "export/SaveXmlData.h"

#include "export/CsvExportWriter.h"

#include "export/SaveXmlNames.h"
#include "export/XmlExportWriter.h"
#include "export/XslStylesheetWriter.h"

#include <unistd.h>

#include <climits>
#include <optional>
#include <string_view>

namespace xmlexport {
namespace {

std::optional<std::string> CurrentDirectory()
{
    char szDir[PATH_MAX];
    if (!getcwd(szDir, sizeof szDir))
        return std::nullopt;
    return std::string(szDir);
}

// A column the list gives no text for is called "data".
std::string_view HeaderText(const controls::ResultListContent& content, int nColumn)
{
    const std::string& strHeader = content.HeaderText(nColumn);
    return strHeader.empty() ? std::string_view("data") : std::string_view(strHeader);
}

// The stylesheet beside the data file; false when it could not be written whole.
bool WriteStylesheet(const std::string& strPath, const controls::ResultListContent& content)
{
    XslStylesheetWriter writer;
    if (writer.Open(strPath) != kWriterOk)
        return false;
    int nResult = kWriterOk;
    for (int i = 0; i < content.ColumnCount(); ++i)
        nResult |= writer.WriteHeaderCell(HeaderText(content, i));
    nResult |= writer.WriteRowTemplateStart();
    for (int i = 0; i < content.ColumnCount(); ++i)
        nResult |= writer.WriteValueCell(HeaderText(content, i));
    nResult |= writer.Close();
    return nResult == kWriterOk;
}

// Every row in the order shown, every column; false unless all of it reached the file.
bool WriteData(const std::string& strPath, const std::string& strStylesheetRef,
               const controls::ResultListContent& content)
{
    XmlExportWriter writer;
    if (writer.Open(strPath, strStylesheetRef) != kWriterOk)
        return false;
    const int nRows = content.RowCount();
    const int nColumns = content.ColumnCount();
    int nResult = kWriterOk;
    for (int nRow = 0; nRow < nRows && nResult == kWriterOk; ++nRow) {
        nResult |= writer.WriteRowStart();
        for (int nColumn = 0; nColumn < nColumns; ++nColumn)
            nResult |= writer.WriteField(HeaderText(content, nColumn), content.CellText(nRow, nColumn));
        nResult |= writer.WriteRowEnd();
    }
    nResult |= writer.Close();
    return nResult == kWriterOk;
}

std::string_view FileName(std::string_view path) { return path.substr(path.rfind('/') + 1); }

std::string_view Folder(std::string_view path) { return path.substr(0, path.rfind('/')); }

SaveOutcome WriteFiles(const controls::ResultListContent& content, SaveSwitches switches,
                       const std::string& strChosen, const std::string& strCurrentDir)
{
    SaveOutcome outcome;
    outcome.bChosen = true;
    const std::string strTyped = WithXmlExtension(strChosen);
    outcome.strDataPath = AbsolutePath(strTyped, strCurrentDir);
    std::string strStylesheetRef;
    if (switches.bXsl) {
        strStylesheetRef = StylesheetName(FileName(strTyped));
        // The data file refers to the stylesheet by its bare name; the dialog leaves the
        // current folder alone, so the stylesheet's folder is named here.
        const std::string strStylesheetPath =
            std::string(Folder(outcome.strDataPath)) + "/" + strStylesheetRef;
        // Its result goes unread on purpose: the stylesheet only dresses the data for a
        // browser, so one that cannot be written is skipped without a word; the data file
        // is written all the same, still naming it, and alone decides "Saved" or "Failed".
        WriteStylesheet(strStylesheetPath, content);
    }
    outcome.bSaved = WriteData(outcome.strDataPath, strStylesheetRef, content);
    outcome.strMessage = outcome.bSaved ? "Saved XML file!" : "Failed to save XML file!";
    outcome.bOpen = switches.bViewXml;
    return outcome;
}

}  // namespace

// Asks for the file name and writes what write makes of it; the current
// folder is given back as it was before the dialog.
template <typename Write>
SaveOutcome SaveChosen(const FileChooser& chooseFile, Write write)
{
    const std::optional<std::string> strPreviousDir = CurrentDirectory();
    SaveOutcome outcome;
    if (const std::string strChosen = chooseFile(); !strChosen.empty())
        outcome = write(strChosen, CurrentDirectory().value_or(""));
    if (strPreviousDir) {
        // A folder that went away meanwhile leaves nowhere better to go.
        [[maybe_unused]] const int nResult = chdir(strPreviousDir->c_str());
    }
    return outcome;
}

SaveOutcome SaveXmlData(const controls::ResultListContent& content, SaveSwitches switches,
                        const FileChooser& chooseFile)
{
    return SaveChosen(chooseFile, [&](const std::string& strChosen, const std::string& strCurrentDir) {
        return WriteFiles(content, switches, strChosen, strCurrentDir);
    });
}

SaveOutcome SaveCsvData(const controls::ResultListContent& content, const FileChooser& chooseFile)
{
    return SaveChosen(chooseFile, [&](const std::string& strChosen, const std::string& strCurrentDir) {
        SaveOutcome outcome;
        outcome.bChosen = true;
        outcome.strDataPath = AbsolutePath(WithDefaultExtension(strChosen, "csv"), strCurrentDir);
        outcome.bSaved = SaveCsvFile(outcome.strDataPath, content);
        outcome.strMessage = outcome.bSaved ? "Saved CSV file!" : "Failed to save CSV file!";
        return outcome;
    });
}

}  // namespace xmlexport
