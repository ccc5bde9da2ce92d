#pragma once

#include "oracle/OracleSession.h"

#include <string>
#include <vector>

// The document of the single window. It holds no file content: it owns the
// program's one Oracle session for the whole run and offers the view the
// database operations, plus the session's last error as one line of text.
class CLumidexDoc {
public:
    SessionResult Connect(const std::string& service, const std::string& user,
                          const std::string& password, LoginMode loginMode);
    SessionResult Disconnect();
    // Carriage returns go to the server as blanks, so that a statement with
    // CR LF line ends keeps its length.
    SessionResult Execute(std::string statement, int* isQuery, int* columnCount, int* rowCount);
    SessionResult DescribeColumns(int columnCount, std::vector<std::string>* names);
    SessionResult FetchRow(int columnCount, std::vector<std::string>* values);
    SessionResult SetCommitMode(int mode);

    // The text of the session's last error on one line, for the message line.
    std::string GetMessageText();
    // The warning of a Connect that gave SR_SUCCESS_WITH_INFO, on one line.
    std::string GetLogonWarning() const;

private:
    OracleSession m_session;
};
