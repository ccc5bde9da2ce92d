#include "ocipg/Connection.h"

#include "ocipg/Ascii7.h"

#include <poll.h>

#include <cctype>
#include <chrono>
#include <cstdlib>

namespace ocipg {

namespace {

constexpr int kConnectTimeoutSeconds = 10;

bool Succeeded(const PGresult* result)
{
    const ExecStatusType status = PQresultStatus(result);
    return result && (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK);
}

struct EncodingWidth {
    const char* m_szEncoding;
    int m_nMaxBytes;
};

// The server encodings of more than one byte per character, as PostgreSQL
// defines them; every other server encoding has one.
constexpr EncodingWidth kMultibyteEncodings[] = {
    {"UTF8", 4},   {"EUC_JP", 3},       {"EUC_CN", 3},        {"EUC_KR", 3},
    {"EUC_TW", 4}, {"EUC_JIS_2004", 3}, {"MULE_INTERNAL", 4},
};

bool IsSuperuser(PGconn* conn)
{
    const char* super = PQparameterStatus(conn, "is_superuser");
    return super && std::string_view(super) == "on";
}

int DatabaseMaxCharBytes(PGconn* conn)
{
    const char* encoding = PQparameterStatus(conn, "server_encoding");
    if (!encoding)
        return 4;
    for (const EncodingWidth& width : kMultibyteEncodings)
        if (std::string_view(encoding) == width.m_szEncoding)
            return width.m_nMaxBytes;
    return 1;
}

// Oracle warns in the grace period of a password, 7 days by default: so
// does a role whose VALID UNTIL lies within 7 days. Rounded up, so a role
// valid for 3 more days says 3.
constexpr const char* kPasswordDaysSql =
    "SELECT ceil(extract(epoch FROM rolvaliduntil - now()) / 86400)::integer FROM pg_catalog.pg_roles "
    "WHERE rolname = current_user AND rolvaliduntil > now() AND rolvaliduntil <= now() + interval '7 days'";

std::string FirstLine(std::string_view text)
{
    const size_t end = text.find('\n');
    return std::string(text.substr(0, end));
}

// A failed logon's SQLSTATE, from the verbose message "FATAL:  28P01: ...",
// and the message after it.
bool SqlStateOf(std::string_view message, std::string& state, std::string& text)
{
    for (size_t i = 0; i + 10 <= message.size(); ++i) {
        if (message.substr(i, 3) != ":  " || message.substr(i + 8, 2) != ": ")
            continue;
        const std::string_view code = message.substr(i + 3, 5);
        bool valid = true;
        for (char c : code)
            valid &= std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'Z');
        if (valid) {
            state = std::string(code);
            text = FirstLine(message.substr(i + 10));
            return true;
        }
    }
    return false;
}

// Waits for the connection, bounded by the connect timeout; stage: where
// a failure happened.
bool Establish(PGconn* conn, bool& timedOut, ConnStatusType& stage)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kConnectTimeoutSeconds);
    PostgresPollingStatusType status = PGRES_POLLING_WRITING;
    while (status != PGRES_POLLING_OK && status != PGRES_POLLING_FAILED) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            return false;
        }
        pollfd fd{PQsocket(conn), static_cast<short>(status == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
        if (poll(&fd, 1, static_cast<int>(left.count())) < 0)
            return false;
        stage = PQstatus(conn);
        status = PQconnectPoll(conn);
    }
    return status == PGRES_POLLING_OK;
}

// TCPS is TLS with the server's certificate and name verified against
// libpq's trust anchors (PGSSLROOTCERT, else ~/.postgresql/root.crt); TCP is
// plain, as Oracle's. Neither lets the environment (PGSSLMODE,
// PGGSSENCMODE) change that.
const char* SslMode(const ConnectTarget& target)
{
    return target.m_bTls ? "verify-full" : "disable";
}

void SetLogonError(PGconn* conn, const ConnectTarget& target, bool timedOut, ConnStatusType stage,
                   ErrorRecord& error)
{
    const std::string message = PQerrorMessage(conn);
    std::string state;
    std::string text;
    if (timedOut)
        error.Set(kOraConnectTimeout);
    else if (target.m_bTls && stage == CONNECTION_SSL_STARTUP)
        error.Set(kOraCertificateValidation, {}, FirstLine(message));
    else if (SqlStateOf(message, state, text))
        SetFromSqlState(error, state, text);
    else if (PQconnectionNeedsPassword(conn))
        error.Set(kOraInvalidLogon, {}, FirstLine(message));
    else
        error.Set(kOraNoListener, {}, FirstLine(message));
}

// One round trip; false, with the error, when the query fails.
bool ReadPasswordDaysLeft(PGconn* conn, int& days, ErrorRecord& error)
{
    ResultPtr result(PQexec(conn, kPasswordDaysSql), PQclear);
    if (!Succeeded(result.get())) {
        SetFromServer(error, result.get());
        return false;
    }
    days = PQntuples(result.get()) == 1 ? std::atoi(PQgetvalue(result.get(), 0, 0)) : 0;
    return true;
}

// After a result in COPY state: ends the copy, so the connection is free.
PGresult* Finish(PGconn* conn, PGresult* result)
{
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COPY_IN && status != PGRES_COPY_OUT && status != PGRES_COPY_BOTH)
        return result;
    PQclear(result);
    if (status == PGRES_COPY_OUT) {
        char* buffer = nullptr;
        while (PQgetCopyData(conn, &buffer, 0) > 0)
            PQfreemem(buffer);
    } else {
        PQputCopyEnd(conn, "COPY is not available through OCI");
    }
    PGresult* last = nullptr;
    while (PGresult* next = PQgetResult(conn)) {
        PQclear(last);
        last = next;
    }
    return last;
}

}  // namespace

std::shared_ptr<Connection> Connection::Open(const ConnectTarget& target, const std::string& user,
                                             const std::string& password, const ClientCharset& charset,
                                             ErrorRecord& error)
{
    const std::string port = std::to_string(target.m_nPort);
    const std::string timeout = std::to_string(kConnectTimeoutSeconds);
    std::vector<const char*> keys = {"host", "port", "user", "client_encoding", "connect_timeout",
                                     "keepalives", "keepalives_idle", "keepalives_interval",
                                     "keepalives_count", "sslmode", "gssencmode", "options",
                                     "fallback_application_name"};
    std::vector<const char*> values = {target.m_strHost.c_str(), port.c_str(), user.c_str(),
                                       charset.m_strEncoding.c_str(), timeout.c_str(), "1", "5", "2", "3",
                                       SslMode(target), "disable",
                                       "-c DateStyle=ISO,YMD -c IntervalStyle=postgres "
                                       "-c standard_conforming_strings=on",
                                       "ocipg"};
    if (!target.m_strDatabase.empty()) {
        keys.push_back("dbname");
        values.push_back(target.m_strDatabase.c_str());
    }
    if (!password.empty()) {
        keys.push_back("password");
        values.push_back(password.c_str());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);

    PGconn* conn = PQconnectStartParams(keys.data(), values.data(), 0);
    if (!conn) {
        error.Set(kOraNoListener);
        return nullptr;
    }
    PQsetErrorVerbosity(conn, PQERRORS_VERBOSE);
    bool timedOut = false;
    ConnStatusType stage = CONNECTION_STARTED;
    if (PQstatus(conn) == CONNECTION_BAD || !Establish(conn, timedOut, stage)) {
        SetLogonError(conn, target, timedOut, stage, error);
        PQfinish(conn);
        return nullptr;
    }
    PQsetErrorVerbosity(conn, PQERRORS_DEFAULT);
    // The server's notices are not Oracle's to show; libpq would print them
    // on the program's standard error.
    PQsetNoticeProcessor(conn, [](void*, const char*) {}, nullptr);

    std::shared_ptr<Connection> connection(new Connection(conn));
    if (charset.m_bAscii7 && !FoldResultsToAscii7(conn)) {
        error.Set(kOraNlsEnvironment);
        return nullptr;
    }
    // Only a password expires.
    if (!password.empty() && !ReadPasswordDaysLeft(conn, connection->m_nPasswordDaysLeft, error))
        return nullptr;
    return connection;
}

Connection::Connection(PGconn* pConn)
    : m_pConn(pConn),
      m_bSuperuser(IsSuperuser(pConn)),
      m_nMaxCharBytes(DatabaseMaxCharBytes(pConn)),
      m_nClientEncoding(PQclientEncoding(pConn)),
      m_dictionary(m_bSuperuser)
{
}

Connection::~Connection()
{
    PQfinish(m_pConn);
}

void Connection::Fail(const PGresult* result, ErrorRecord& error)
{
    if (PQstatus(m_pConn) == CONNECTION_BAD) {
        m_bLost = true;
        const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
        error.Set(kOraEndOfFile, {}, primary ? std::string(primary) : FirstLine(PQerrorMessage(m_pConn)));
        return;
    }
    if (result && PQresultErrorField(result, PG_DIAG_SQLSTATE))
        SetFromServer(error, result);
    else
        error.Set(kOraForeignSystem, {}, FirstLine(PQerrorMessage(m_pConn)));
}

bool Connection::Simple(const char* sql, ErrorRecord& error)
{
    ResultPtr result(PQexec(m_pConn, sql), PQclear);
    if (Succeeded(result.get()))
        return true;
    Fail(result.get(), error);
    return false;
}

ResultPtr Connection::Run(const std::function<PGresult*(PGconn*)>& send, ErrorRecord& error)
{
    ResultPtr none(nullptr, PQclear);
    if (m_bLost) {
        error.Set(kOraNotConnected);
        return none;
    }
    const bool guarded = PQtransactionStatus(m_pConn) == PQTRANS_INTRANS;
    if (guarded && !Simple("SAVEPOINT ocipg_statement", error))
        return none;
    ResultPtr result(Finish(m_pConn, send(m_pConn)), PQclear);
    if (Succeeded(result.get())) {
        if (PQtransactionStatus(m_pConn) == PQTRANS_IDLE)
            TransactionEnded();
        else if (guarded && !Simple("RELEASE SAVEPOINT ocipg_statement", error))
            return none;
        return result;
    }
    Fail(result.get(), error);
    if (!m_bLost && guarded && PQtransactionStatus(m_pConn) == PQTRANS_INERROR) {
        ErrorRecord ignored;
        Simple("ROLLBACK TO SAVEPOINT ocipg_statement; RELEASE SAVEPOINT ocipg_statement", ignored);
    }
    if (!m_bLost && PQtransactionStatus(m_pConn) == PQTRANS_IDLE)
        TransactionEnded();
    return none;
}

bool Connection::RunScript(const std::string& sql, ErrorRecord& error)
{
    return Run([&sql](PGconn* conn) { return PQexec(conn, sql.c_str()); }, error) != nullptr;
}

bool Connection::BeginIfIdle(ErrorRecord& error)
{
    if (m_bLost) {
        error.Set(kOraNotConnected);
        return false;
    }
    return PQtransactionStatus(m_pConn) != PQTRANS_IDLE || Simple("BEGIN", error);
}

bool Connection::Commit(ErrorRecord& error)
{
    if (m_bLost || PQtransactionStatus(m_pConn) == PQTRANS_IDLE)
        return true;
    const bool ok = Simple("COMMIT", error);
    TransactionEnded();
    return ok;
}

void Connection::KeepWork()
{
    if (!m_bLost && PQtransactionStatus(m_pConn) == PQTRANS_INTRANS)
        m_bWork = true;
}

std::string Connection::NewCursorName()
{
    return "ocipg_cursor" + std::to_string(++m_nCursorSerial);
}

void Connection::CursorClosed(unsigned generation)
{
    if (generation == m_nGeneration && m_nOpenCursors > 0)
        --m_nOpenCursors;
}

void Connection::EndIdleTransaction()
{
    if (m_bLost || m_bWork || m_nOpenCursors > 0 || PQtransactionStatus(m_pConn) != PQTRANS_INTRANS)
        return;
    ErrorRecord ignored;
    Simple("COMMIT", ignored);
    TransactionEnded();
}

void Connection::TransactionEnded()
{
    if (m_bWork || m_nOpenCursors > 0)
        ++m_nGeneration;
    m_bWork = false;
    m_nOpenCursors = 0;
}

void Connection::End()
{
    ErrorRecord ignored;
    Commit(ignored);
}

}  // namespace ocipg
