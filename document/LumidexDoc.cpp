#include "document/LumidexDoc.h"

#include <algorithm>
#include <cstring>

namespace {

std::string OneLine(std::string text)
{
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

}  // namespace

SessionResult CLumidexDoc::Connect(const std::string& service, const std::string& user,
                                   const std::string& password, LoginMode loginMode)
{
    return m_session.Connect(service.data(), static_cast<int>(service.size()), user.data(),
                             static_cast<int>(user.size()), password.data(),
                             static_cast<int>(password.size()), loginMode);
}

SessionResult CLumidexDoc::Disconnect()
{
    return m_session.Disconnect();
}

SessionResult CLumidexDoc::Execute(std::string statement, int* isQuery, int* columnCount,
                                   int* rowCount)
{
    std::replace(statement.begin(), statement.end(), '\r', ' ');
    return m_session.Execute(statement.data(), static_cast<int>(statement.size()), isQuery,
                             columnCount, rowCount);
}

SessionResult CLumidexDoc::DescribeColumns(int columnCount, std::vector<std::string>* names)
{
    return m_session.DescribeColumns(columnCount, names);
}

SessionResult CLumidexDoc::FetchRow(int columnCount, std::vector<std::string>* values)
{
    return m_session.FetchRow(columnCount, values);
}

SessionResult CLumidexDoc::SetCommitMode(int mode)
{
    return m_session.SetCommitMode(mode);
}

std::string CLumidexDoc::GetMessageText()
{
    char buffer[4096] = {};
    int errorCode = 0;
    if (m_session.GetErrorText(buffer, sizeof buffer, &errorCode) != SR_SUCCESS)
        return "No message! Are you connected to the database?";

    return OneLine(std::string(buffer, strnlen(buffer, sizeof buffer)));
}

std::string CLumidexDoc::GetLogonWarning() const
{
    return OneLine(m_session.LogonWarning());
}
