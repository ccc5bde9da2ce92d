#include "document/QueryToList.h"

#include "document/LumidexDoc.h"

#include <vector>

namespace document {
namespace {

// Fetches every row, or the first 1000 when the user says No; the message text.
std::string FetchRows(CLumidexDoc& doc, int nColumnCount, controls::ResultListSink& list,
                      const ReadAllQuestion& readAll)
{
    bool bAsk = true;
    bool bStopped = false;
    std::vector<std::string> arrValues;
    int nResult = doc.FetchRow(nColumnCount, &arrValues);
    while (nResult == SR_SUCCESS) {
        list.AppendRow(arrValues);
        if (bAsk && list.Content().RowCount() == kRowsBeforeQuestion) {
            list.Publish();
            if (!readAll()) {
                bStopped = true;
                break;
            }
            bAsk = false;
        }
        nResult = doc.FetchRow(nColumnCount, &arrValues);
    }
    list.Publish();
    if (bStopped || nResult == SR_NO_DATA)
        return "Rows " + std::to_string(list.Content().RowCount());
    return doc.GetMessageText();
}

}  // namespace

std::string RunQueryToList(CLumidexDoc& doc, const std::string& statement,
                           controls::ResultListSink& list, const ReadAllQuestion& readAll)
{
    list.Empty();
    int nIsQuery = 0;
    int nColumnCount = 0;
    int nRowCount = 0;
    if (doc.Execute(statement, &nIsQuery, &nColumnCount, &nRowCount) != SR_SUCCESS)
        return doc.GetMessageText();
    if (!nIsQuery)
        return "Execute succeeded! Rows changed " + std::to_string(nRowCount);
    std::vector<std::string> arrNames;
    if (doc.DescribeColumns(nColumnCount, &arrNames) != SR_SUCCESS)
        return doc.GetMessageText();
    list.SetColumns(std::move(arrNames));
    return FetchRows(doc, nColumnCount, list, readAll);
}

}  // namespace document
