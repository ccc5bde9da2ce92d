#pragma once

// Save XML data: the list as shown goes to an XML data file the user names,
// with a stylesheet beside it when "XSL" is on. Save CSV data likewise.

#include "controls/ResultListContent.h"

#include <functional>
#include <string>

namespace xmlexport {

// The two switches of the settings file, read before the Save dialog shows.
struct SaveSwitches {
    bool bXsl = true;      // write the stylesheet
    bool bViewXml = true;  // open the saved file
};

// The Save dialog: the chosen path; empty when the user cancels.
using FileChooser = std::function<std::string()>;

struct SaveOutcome {
    bool bChosen = false;      // false: cancelled, nothing written, nothing to show
    bool bSaved = false;       // the data file was written whole
    std::string strDataPath;   // from the root
    std::string strMessage;    // for the message line
    bool bOpen = false;        // open the data file now, after a failed save too
};

// Asks for the file name, writes the files and gives the current folder back
// as it was before the dialog.
SaveOutcome SaveXmlData(const controls::ResultListContent& content, SaveSwitches switches,
                        const FileChooser& chooseFile);

// Save CSV data, the same way: one comma-separated values file, "csv" added
// to a name without extension, nothing opened afterwards.
SaveOutcome SaveCsvData(const controls::ResultListContent& content, const FileChooser& chooseFile);

}  // namespace xmlexport
