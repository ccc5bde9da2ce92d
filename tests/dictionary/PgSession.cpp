#include "tests/dictionary/PgSession.h"

#include <algorithm>
#include <cctype>

namespace dicttest {
namespace {

// The library's rule for column names: lower case shows in upper case.
std::string ReportedName(std::string name)
{
    if (std::none_of(name.begin(), name.end(), [](unsigned char c) { return std::isupper(c); })) {
        for (char& c : name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

Result Collect(PGresult* res)
{
    Result result;
    const ExecStatusType status = PQresultStatus(res);
    result.bOk = status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK;
    if (!result.bOk) {
        const char* state = PQresultErrorField(res, PG_DIAG_SQLSTATE);
        result.strSqlState = state ? state : "";
        result.strError = PQresultErrorMessage(res);
    }
    for (int col = 0; col < PQnfields(res); ++col)
        result.columns.push_back(ReportedName(PQfname(res, col)));
    for (int row = 0; row < PQntuples(res); ++row) {
        std::vector<std::string> values;
        for (int col = 0; col < PQnfields(res); ++col)
            values.push_back(PQgetisnull(res, row, col) ? "NULL" : PQgetvalue(res, row, col));
        result.rows.push_back(std::move(values));
    }
    PQclear(res);
    return result;
}

std::string ConnInfo(const std::string& user, const std::string& password)
{
    return "host=" + testfixture::SocketDir() + " port=" + std::to_string(testfixture::kPort) +
           " dbname=lumidex user=" + user + " password=" + password;
}

std::string Trim(const std::string& text)
{
    const size_t start = text.find_first_not_of(' ');
    const size_t end = text.find_last_not_of(' ');
    return start == std::string::npos ? std::string() : text.substr(start, end - start + 1);
}

}  // namespace

int Result::ColumnIndex(const std::string& name) const
{
    const auto found = std::find(columns.begin(), columns.end(), name);
    return found == columns.end() ? -1 : static_cast<int>(found - columns.begin());
}

std::string Result::Cell(size_t row, const std::string& column) const
{
    const int index = ColumnIndex(column);
    return index < 0 || row >= rows.size() ? "<missing>" : rows[row][static_cast<size_t>(index)];
}

PgSession::PgSession(const std::string& user, const std::string& password)
    : m_pConn(PQconnectdb(ConnInfo(user, password).c_str()), PQfinish)
{
    if (!Connected())
        return;
    Result super = Raw("SELECT rolsuper FROM pg_roles WHERE rolname = current_user");
    m_pDictionary = std::make_unique<ocipg::Dictionary>(super.bOk && super.rows.at(0).at(0) == "t");
    const std::string setup = m_pDictionary->SetupSql();
    if (!setup.empty())
        Raw(setup);
}

bool PgSession::Connected() const
{
    return PQstatus(m_pConn.get()) == CONNECTION_OK;
}

std::string PgSession::Error() const
{
    return PQerrorMessage(m_pConn.get());
}

Result PgSession::Run(const std::string& statement)
{
    const std::string prepare = m_pDictionary->PrepareFor(statement);
    if (!prepare.empty()) {
        Result made = Raw(prepare);
        if (!made.bOk)
            return made;
    }
    const std::string text = ocipg::Dictionary::RewriteQuery(statement);
    Result prepared = Collect(PQprepare(m_pConn.get(), "", text.c_str(), 0, nullptr));
    if (!prepared.bOk)
        return prepared;
    return Collect(PQexecPrepared(m_pConn.get(), "", 0, nullptr, nullptr, nullptr, 0));
}

Result PgSession::Raw(const std::string& sql)
{
    return Collect(PQexec(m_pConn.get(), sql.c_str()));
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
