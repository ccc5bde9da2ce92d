#include "tests/oracle/ProgramSession.h"

#include <algorithm>
#include <sstream>

namespace sessiontest {

std::string Result::Cell(size_t row, const std::string& column) const
{
    const auto found = std::find(columns.begin(), columns.end(), column);
    return found == columns.end() || row >= rows.size() ? "<missing>" : rows[row][found - columns.begin()];
}

std::string Result::Text() const
{
    if (!strError.empty())
        return strError.substr(0, strError.find('\n'));
    std::string text;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c)
            text += (c ? " " : r ? "\n" : "") + rows[r][c];
    }
    return text;
}

SessionResult ProgramSession::Connect(const std::string& user, const std::string& password, LoginMode mode,
                                      const std::string& service)
{
    return m_session.Connect(service.data(), static_cast<int>(service.size()), user.data(),
                             static_cast<int>(user.size()), password.data(), static_cast<int>(password.size()), mode);
}

Result ProgramSession::Run(const std::string& sql, size_t nMaxRows)
{
    Result result;
    std::istringstream statements(sql);
    for (std::string statement; result.strError.empty() && std::getline(statements, statement, ';');) {
        int columns = 0;
        result = {};
        result.nStatus = m_session.Execute(statement.data(), static_cast<int>(statement.size()), &result.nIsQuery,
                                           &columns, &result.nRowCount);
        if (result.nStatus == SR_SUCCESS && result.nIsQuery)
            result.nStatus = m_session.DescribeColumns(columns, &result.columns);
        if (result.nStatus != SR_SUCCESS) {
            result.strError = ErrorText(&result.nErrorCode);
        } else if (result.nIsQuery) {
            m_nColumns = columns;
            Result fetched = Fetch(nMaxRows);
            fetched.nIsQuery = 1;
            fetched.columns = std::move(result.columns);
            result = std::move(fetched);
        }
    }
    return result;
}

Result ProgramSession::Fetch(size_t nMaxRows)
{
    Result result;
    std::vector<std::string> values;
    while (result.rows.size() < nMaxRows &&
           (result.nStatus = m_session.FetchRow(m_nColumns, &values)) == SR_SUCCESS)
        result.rows.push_back(values);
    if (result.rows.size() < nMaxRows && !values.empty())
        result.strError = "values left after the last row";
    else if (result.nStatus != SR_SUCCESS && result.nStatus != SR_NO_DATA)
        result.strError = ErrorText(&result.nErrorCode);
    return result;
}

std::string ProgramSession::ErrorText(int* pnCode)
{
    char text[4096] = {};
    int code = 0;
    m_session.GetErrorText(text, sizeof text, pnCode ? pnCode : &code);
    return text;
}

}  // namespace sessiontest
