#pragma once

// Connecting and disconnecting as the commands do: the Connect dialog asked
// again after each failed logon, and the texts the message line gets.

#include "oracle/SessionResult.h"

#include <string>

class CLumidexDoc;

namespace document {

// What the Connect dialog gives back, in the locale's character set.
struct LogonRequest {
    std::string strDatabase;
    std::string strUser;
    std::string strPassword;
    LoginMode nMode = 0;
};

// What the Connect loop asks of the window.
class ConnectPrompt {
public:
    virtual ~ConnectPrompt() = default;
    // Shows the Connect dialog; false when the user cancels it.
    virtual bool AskLogon(LogonRequest* pRequest) = 0;
    // A failed logon's text, in a message box.
    virtual void ShowError(const std::string& strText) = 0;
    // The message line takes the text; a simple beep follows.
    virtual void ShowMessageLine(const std::string& strText) = 0;
};

// Asks for a logon until one succeeds or the user cancels; true when
// connected.
bool ConnectLoop(CLumidexDoc& doc, ConnectPrompt& prompt);

struct Disconnected {
    bool bDisconnected;  // no session is left
    std::string strMessage;
};

Disconnected Disconnect(CLumidexDoc& doc);

}  // namespace document
