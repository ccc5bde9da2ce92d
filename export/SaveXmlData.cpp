// The Save XML data command: the list as shown goes to an XML data file the user names,
// with a stylesheet beside it when "XSL" is on, and is opened when "VIEWXML" is on.

#include "browser/CLumidexView.h"
#include "controls/CSortListCtrl.h"
#include "document/LumidexDoc.h"
#include "export/SaveXmlNames.h"
#include "export/XmlExportWriter.h"
#include "export/XslStylesheetWriter.h"
#include "gui/Desktop.h"
#include "gui/ViewHost.h"
#include "gui/WaitCursor.h"
#include "settings/LumidexSettings.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <unistd.h>

#include <climits>
#include <optional>
#include <string>
#include <string_view>

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
    xmlexport::XslStylesheetWriter writer;
    if (writer.Open(strPath) != xmlexport::kWriterOk)
        return false;
    int nResult = xmlexport::kWriterOk;
    for (int i = 0; i < content.ColumnCount(); ++i)
        nResult |= writer.WriteHeaderCell(HeaderText(content, i));
    nResult |= writer.WriteRowTemplateStart();
    for (int i = 0; i < content.ColumnCount(); ++i)
        nResult |= writer.WriteValueCell(HeaderText(content, i));
    nResult |= writer.Close();
    return nResult == xmlexport::kWriterOk;
}

// Every row in the order shown, every column; false unless all of it reached the file.
bool WriteData(const std::string& strPath, const std::string& strStylesheetRef,
               const controls::ResultListContent& content)
{
    xmlexport::XmlExportWriter writer;
    if (writer.Open(strPath, strStylesheetRef) != xmlexport::kWriterOk)
        return false;
    const int nRows = content.RowCount();
    const int nColumns = content.ColumnCount();
    int nResult = xmlexport::kWriterOk;
    for (int nRow = 0; nRow < nRows && nResult == xmlexport::kWriterOk; ++nRow) {
        nResult |= writer.WriteRowStart();
        for (int nColumn = 0; nColumn < nColumns; ++nColumn)
            nResult |= writer.WriteField(HeaderText(content, nColumn), content.CellText(nRow, nColumn));
        nResult |= writer.WriteRowEnd();
    }
    nResult |= writer.Close();
    return nResult == xmlexport::kWriterOk;
}

}  // namespace

void CLumidexView::OnSaveXmlData()
{
    // Read while the current folder is still the one the settings file is named in.
    const bool bXsl = settings::ReadSwitch(settings::Setting::Xsl);
    const bool bViewXml = settings::ReadSwitch(settings::Setting::ViewXml);
    const std::optional<std::string> strPreviousDir = CurrentDirectory();

    const QString strChosen = desktop::SaveFileName(this, QStringLiteral("*.xml"),
                                                    QStringLiteral("XML Files (*.xml);;All Files (*.*)"));
    if (!strChosen.isEmpty()) {
        UpdateData(true);
        CWaitCursor wait;
        const QFileInfo dataFile(QFile::decodeName(QByteArray::fromStdString(
            xmlexport::WithXmlExtension(QFile::encodeName(strChosen).toStdString()))));
        const std::string strDataPath = QFile::encodeName(dataFile.absoluteFilePath()).toStdString();
        const controls::ResultListContent& content = m_pList->Model().Content();

        std::string strStylesheetRef;
        if (bXsl) {
            strStylesheetRef = xmlexport::StylesheetName(QFile::encodeName(dataFile.fileName()).toStdString());
            // Qt's dialog leaves the current folder alone, so the folder is named here; the
            // data file refers to the stylesheet by its bare name all the same.
            const std::string strStylesheetPath =
                QFile::encodeName(dataFile.absolutePath()).toStdString() + "/" + strStylesheetRef;
            WriteStylesheet(strStylesheetPath, content);
        }

        if (WriteData(strDataPath, strStylesheetRef, content)) {
            m_doc.SetTitle(strDataPath);
            if (m_pHost)
                m_pHost->OnUpdateFrameTitle(QFile::decodeName(strDataPath.c_str()));
            m_strMessage = QStringLiteral("Saved XML file!");
        } else {
            m_strMessage = QStringLiteral("Failed to save XML file!");
        }
        UpdateData(false);
        desktop::Beep(desktop::kDefaultBeep);
        if (bViewXml)
            desktop::OpenOrBeep(QUrl::fromLocalFile(dataFile.absoluteFilePath()));
    }
    if (strPreviousDir) {
        // A folder that went away meanwhile leaves nowhere better to go.
        [[maybe_unused]] const int nResult = chdir(strPreviousDir->c_str());
    }
}
