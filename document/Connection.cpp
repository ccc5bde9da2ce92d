#include "document/Connection.h"

#include "document/LumidexDoc.h"

namespace document {

bool ConnectLoop(CLumidexDoc& doc, ConnectPrompt& prompt)
{
    LogonRequest request;
    for (;;) {
        if (!prompt.AskLogon(&request)) {
            prompt.ShowMessageLine("Connect to database!");
            return false;
        }
        const SessionResult nResult =
            doc.Connect(request.strDatabase, request.strUser, request.strPassword, request.nMode);
        if (nResult == SR_SUCCESS || nResult == SR_SUCCESS_WITH_INFO) {
            // Logged on with a warning (a password about to expire): said, not refused.
            std::string strMessage = "Connect succeeded!";
            if (nResult == SR_SUCCESS_WITH_INFO)
                strMessage += ' ' + doc.GetLogonWarning();
            prompt.ShowMessageLine(strMessage);
            return true;
        }
        const std::string strError = doc.GetMessageText();
        prompt.ShowError(strError);
        prompt.ShowMessageLine(strError);
    }
}

Disconnected Disconnect(CLumidexDoc& doc)
{
    const SessionResult nResult = doc.Disconnect();
    if (nResult == SR_SUCCESS || nResult == SR_NOT_CONNECTED)
        return {true, "Disconnect succeded!"};
    return {false, doc.GetMessageText()};
}

}  // namespace document
