#include "tests/dictionary/CatalogSession.h"

#include <algorithm>
#include <sstream>

namespace dicttest {
namespace {

std::string Trim(const std::string& text)
{
    const size_t start = text.find_first_not_of(' ');
    const size_t end = text.find_last_not_of(' ');
    return start == std::string::npos ? std::string() : text.substr(start, end - start + 1);
}

}  // namespace

std::string Result::Cell(size_t row, const std::string& column) const
{
    const auto found = std::find(columns.begin(), columns.end(), column);
    return found == columns.end() || row >= rows.size() ? "<missing>" : rows[row][found - columns.begin()];
}

CatalogSession::CatalogSession(const Account& account)
{
    EXPECT_EQ(m_session.Connect("LUMIDEX", account.pszUser, account.pszPassword), OCI_SUCCESS) << m_session.Error();
}

Result CatalogSession::Run(const std::string& sql)
{
    Result result;
    std::istringstream statements(sql);
    for (std::string statement; std::getline(statements, statement, ';');) {
        result = {};
        sword status = m_session.Execute(statement, OCI_DEFAULT);
        if (status == OCI_SUCCESS && m_session.StatementType() == OCI_STMT_SELECT) {
            for (const ocitest::Column& column : m_session.Columns())
                result.columns.push_back(column.m_strName);
            std::vector<std::string> values;
            while ((status = m_session.FetchRow(values)) == OCI_SUCCESS)
                result.rows.push_back(values);
            if (status == OCI_NO_DATA)
                status = OCI_SUCCESS;
        }
        result.bOk = status == OCI_SUCCESS;
        if (!result.bOk) {
            result.strError = m_session.Error(&result.nCode);
            break;
        }
    }
    return result;
}

std::vector<std::string> SelectListNames(const std::string& statement)
{
    const size_t start = statement.find("SELECT ") + 7;
    const std::string list = statement.substr(start, statement.find(" FROM ") - start);
    std::vector<std::string> names;
    for (size_t at = 0; at <= list.size();) {
        const size_t comma = std::min(list.find(',', at), list.size());
        names.push_back(Trim(list.substr(at, comma - at)));
        at = comma + 1;
    }
    return names;
}

}  // namespace dicttest
