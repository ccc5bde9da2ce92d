#include "tests/dictionary/CatalogSession.h"

#include <algorithm>
#include <sstream>

namespace dicttest {

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

CatalogSession::CatalogSession(const Account& account)
{
    const std::string user = account.pszUser;
    const std::string password = account.pszPassword;
    EXPECT_EQ(m_session.Connect("LUMIDEX", 7, user.data(), static_cast<int>(user.size()), password.data(),
                                static_cast<int>(password.size()), 0),
              SR_SUCCESS)
        << ErrorText();
    m_session.SetCommitMode(1);
}

Result CatalogSession::Run(const std::string& sql, size_t nMaxRows)
{
    Result result;
    std::istringstream statements(sql);
    for (std::string statement; result.strError.empty() && std::getline(statements, statement, ';');) {
        int isQuery = 0;
        int columns = 0;
        int rowCount = 0;
        result = {};
        if (m_session.Execute(statement.data(), static_cast<int>(statement.size()), &isQuery, &columns, &rowCount) !=
                SR_SUCCESS ||
            (isQuery && m_session.DescribeColumns(columns, &result.columns) != SR_SUCCESS)) {
            result.strError = ErrorText();
        } else if (isQuery) {
            m_nColumns = columns;
            Result fetched = Fetch(nMaxRows);
            fetched.columns = std::move(result.columns);
            result = std::move(fetched);
        }
    }
    return result;
}

Result CatalogSession::Fetch(size_t nMaxRows)
{
    Result result;
    std::vector<std::string> values;
    SessionResult status = SR_SUCCESS;
    while (result.rows.size() < nMaxRows && (status = m_session.FetchRow(m_nColumns, &values)) == SR_SUCCESS)
        result.rows.push_back(values);
    if (status != SR_SUCCESS && status != SR_NO_DATA)
        result.strError = ErrorText();
    return result;
}

std::string CatalogSession::ErrorText()
{
    char text[2048] = {};
    int number = 0;
    m_session.GetErrorText(text, sizeof text, &number);
    return text;
}

}  // namespace dicttest
