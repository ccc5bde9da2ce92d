#include "tests/dictionary/CatalogSession.h"

#include <algorithm>
#include <sstream>

namespace dicttest {

std::string Result::Cell(size_t row, const std::string& column) const
{
    const auto found = std::find(columns.begin(), columns.end(), column);
    return found == columns.end() || row >= rows.size() ? "<missing>" : rows[row][found - columns.begin()];
}

CatalogSession::CatalogSession(const Account& account)
{
    const std::string service = "LUMIDEX";
    const std::string user = account.pszUser;
    const std::string password = account.pszPassword;
    EXPECT_EQ(m_session.Connect(service.data(), static_cast<int>(service.size()), user.data(),
                                static_cast<int>(user.size()), password.data(), static_cast<int>(password.size()), 0),
              SR_SUCCESS)
        << ErrorText();
    m_session.SetCommitMode(1);
}

Result CatalogSession::Run(const std::string& sql)
{
    Result result;
    std::istringstream statements(sql);
    for (std::string statement; std::getline(statements, statement, ';');) {
        result = {};
        int isQuery = 0;
        int columns = 0;
        int rowCount = 0;
        SessionResult status = m_session.Execute(statement.data(), static_cast<int>(statement.size()), &isQuery,
                                                 &columns, &rowCount);
        if (status == SR_SUCCESS && isQuery) {
            status = m_session.DescribeColumns(columns, &result.columns);
            std::vector<std::string> values;
            while (status == SR_SUCCESS && (status = m_session.FetchRow(columns, &values)) == SR_SUCCESS)
                result.rows.push_back(values);
            if (status == SR_NO_DATA)
                status = SR_SUCCESS;
        }
        result.bOk = status == SR_SUCCESS;
        if (!result.bOk) {
            result.strError = ErrorText(&result.nCode);
            break;
        }
    }
    return result;
}

bool CatalogSession::OpenQuery(const std::string& sql, std::vector<std::string>& values)
{
    int isQuery = 0;
    int rowCount = 0;
    std::vector<std::string> names;
    const bool ok = m_session.Execute(sql.data(), static_cast<int>(sql.size()), &isQuery, &m_nColumns, &rowCount) ==
                        SR_SUCCESS &&
                    isQuery && m_session.DescribeColumns(m_nColumns, &names) == SR_SUCCESS;
    if (!ok) {
        values = {ErrorText()};
        return false;
    }
    return NextRow(values);
}

bool CatalogSession::NextRow(std::vector<std::string>& values)
{
    if (m_session.FetchRow(m_nColumns, &values) == SR_SUCCESS)
        return true;
    values = {ErrorText()};
    return false;
}

std::string CatalogSession::ErrorText(int* code)
{
    char text[2048] = {};
    int number = 0;
    m_session.GetErrorText(text, sizeof text, &number);
    if (code)
        *code = number;
    return text;
}

std::vector<std::string> SelectListNames(const std::string& statement)
{
    const size_t start = statement.find("SELECT ") + 7;
    std::istringstream list(statement.substr(start, statement.find(" FROM ") - start));
    std::vector<std::string> names;
    for (std::string name; std::getline(list, name, ',');)
        names.push_back(name.substr(name.find_first_not_of(' ')));
    return names;
}

}  // namespace dicttest
