#include "ocipg/Connection.h"

#include "ocipg/Ascii7.h"

#include <poll.h>

#include <cctype>
#include <chrono>
#include <cstdlib>

namespace ocipg {

namespace {

constexpr int kConnectTimeoutSeconds = 10;

// Send's answer when not even the sync went out.
constexpr size_t kNotSent = static_cast<size_t>(-1);

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

size_t Connection::Send(const std::vector<const Command*>& commands)
{
    if (PQpipelineStatus(m_pConn) == PQ_PIPELINE_OFF && !PQenterPipelineMode(m_pConn))
        return kNotSent;
    size_t queued = 0;
    for (const Command* command : commands) {
        const char* text = command->m_strText.c_str();
        int sent = 0;
        switch (command->m_kind) {
        case Command::Kind::Sql:
            sent = PQsendQueryParams(m_pConn, text, static_cast<int>(command->m_params.size()), nullptr,
                                     command->m_params.data(), nullptr, nullptr, 0);
            break;
        case Command::Kind::DescribePortal:
            sent = PQsendDescribePortal(m_pConn, text);
            break;
        case Command::Kind::Prepare:
            sent = PQsendPrepare(m_pConn, "", text, 0, nullptr);
            break;
        case Command::Kind::DescribePrepared:
            sent = PQsendDescribePrepared(m_pConn, "");
            break;
        }
        if (!sent)
            break;
        ++queued;
    }
    return PQpipelineSync(m_pConn) == 1 ? queued : kNotSent;
}

ResultPtr Connection::Receive()
{
    PGresult* first = PQgetResult(m_pConn);
    if (!first)
        return ResultPtr(nullptr, PQclear);
    const ExecStatusType status = PQresultStatus(first);
    ResultPtr result(Finish(m_pConn, first), PQclear);
    // A command's results end with a null; Finish reads through it after a COPY.
    if (status != PGRES_COPY_IN && status != PGRES_COPY_OUT && status != PGRES_COPY_BOTH) {
        while (PGresult* extra = PQgetResult(m_pConn))
            PQclear(extra);
    }
    return result;
}

bool Connection::ReceiveSync()
{
    for (;;) {
        PGresult* result = PQgetResult(m_pConn);
        if (!result) {
            if (PQstatus(m_pConn) == CONNECTION_BAD)
                return false;
            continue;
        }
        const bool sync = PQresultStatus(result) == PGRES_PIPELINE_SYNC;
        PQclear(result);
        if (sync)
            return true;
    }
}

void Connection::Post(const std::vector<Command>& commands)
{
    std::vector<const Command*> pointers;
    for (const Command& command : commands)
        pointers.push_back(&command);
    if (Send(pointers) != kNotSent) {
        ++m_nPosted;
        m_bPostedInTransaction = true;
    }
}

void Connection::PostEnd(const char* sql)
{
    const Command command{Command::Kind::Sql, sql, {}};
    if (Send({&command}) != kNotSent)
        ++m_nPosted;
}

void Connection::Settle()
{
    if (m_nPosted == 0)
        return;
    ++m_nRoundTrips;
    // What was posted keeps to a savepoint, unless that failed too.
    if (ReadPosted() && PQtransactionStatus(m_pConn) == PQTRANS_INERROR)
        Recover();
}

bool Connection::ReadPosted()
{
    m_bPostedInTransaction = false;
    for (; m_nPosted > 0; --m_nPosted) {
        if (!ReceiveSync()) {
            // The next request finds out and reports it.
            m_nPosted = 0;
            return false;
        }
    }
    return true;
}

bool Connection::Usable(ErrorRecord& error)
{
    Settle();
    if (!m_bLost)
        return true;
    error.Set(kOraNotConnected);
    return false;
}

bool Connection::Exchange(const Request& request, std::vector<ResultPtr>& results, ErrorRecord& error)
{
    static const Command kBegin{Command::Kind::Sql, "BEGIN", {}};
    static const Command kSavepoint{Command::Kind::Sql, "SAVEPOINT ocipg_statement", {}};
    static const Command kRelease{Command::Kind::Sql, "RELEASE SAVEPOINT ocipg_statement", {}};
    results.clear();
    const bool behindPosted = m_nPosted > 0 && !m_bPostedInTransaction && !m_bLost;
    if (!behindPosted && !Usable(error))
        return false;
    const bool open = !behindPosted && PQtransactionStatus(m_pConn) == PQTRANS_INTRANS;
    const bool begin = !open && request.m_bTransaction;
    // A failure must not take the transaction's other work along.
    const bool guarded = open && (m_bWork || m_nOpenCursors > request.m_nOwnCursors);
    const bool release = guarded && !request.m_bOpenEnded;
    std::vector<const Command*> commands;
    if (begin)
        commands.push_back(&kBegin);
    if (guarded)
        commands.push_back(&kSavepoint);
    const size_t own = commands.size();
    for (const Command& command : request.m_commands)
        commands.push_back(&command);
    if (release)
        commands.push_back(&kRelease);
    ++m_nRoundTrips;
    const size_t queued = Send(commands);
    // The answers come in order: the posted end's first.
    if (behindPosted)
        ReadPosted();
    bool ok = queued == commands.size();
    ResultPtr failure(nullptr, PQclear);
    for (size_t i = 0; queued != kNotSent && i < queued; ++i) {
        ResultPtr result = Receive();
        if (ok && !Succeeded(result.get())) {
            ok = false;
            failure = std::move(result);
        } else if (ok && i >= own && results.size() < request.m_commands.size()) {
            results.push_back(std::move(result));
        }
    }
    // After a failure the rest of the round trip is skipped up to its sync.
    if (queued == kNotSent || !ReceiveSync())
        ok = false;
    if (ok) {
        if (PQtransactionStatus(m_pConn) == PQTRANS_IDLE)
            TransactionEnded();
        else if (guarded && !release)
            Post({kRelease});
        return true;
    }
    results.clear();
    Fail(failure.get(), error);
    if (!m_bLost)
        Undo(guarded);
    return false;
}

void Connection::Undo(bool guarded)
{
    const PGTransactionStatusType status = PQtransactionStatus(m_pConn);
    if (status == PQTRANS_INERROR && guarded) {
        Post({Command{Command::Kind::Sql, "ROLLBACK TO SAVEPOINT ocipg_statement", {}},
              Command{Command::Kind::Sql, "RELEASE SAVEPOINT ocipg_statement", {}}});
        return;
    }
    if (status == PQTRANS_INERROR)
        PostEnd("ROLLBACK");
    if (status != PQTRANS_INTRANS)
        TransactionEnded();
}

void Connection::Recover()
{
    ErrorRecord ignored;
    if (Simple("ROLLBACK TO SAVEPOINT ocipg_statement", ignored))
        Simple("RELEASE SAVEPOINT ocipg_statement", ignored);
    if (!m_bLost && PQtransactionStatus(m_pConn) == PQTRANS_INERROR)
        Simple("ROLLBACK", ignored);
    if (!m_bLost && PQtransactionStatus(m_pConn) == PQTRANS_IDLE)
        TransactionEnded();
}

bool Connection::Simple(const char* sql, ErrorRecord& error)
{
    const Command command{Command::Kind::Sql, sql, {}};
    ++m_nRoundTrips;
    const size_t queued = Send({&command});
    ResultPtr result = queued == 1 ? Receive() : ResultPtr(nullptr, PQclear);
    const bool ok = queued != kNotSent && ReceiveSync() && Succeeded(result.get());
    if (!ok)
        Fail(result.get(), error);
    return ok;
}

bool Connection::RunScript(const std::string& sql, ErrorRecord& error)
{
    if (!Usable(error))
        return false;
    // Several statements in one text go by the simple protocol only.
    if (PQpipelineStatus(m_pConn) != PQ_PIPELINE_OFF)
        PQexitPipelineMode(m_pConn);
    const bool open = PQtransactionStatus(m_pConn) == PQTRANS_INTRANS;
    const bool guarded = open && (m_bWork || m_nOpenCursors > 0);
    const std::string text =
        guarded ? "SAVEPOINT ocipg_statement;\n" + sql + ";\nRELEASE SAVEPOINT ocipg_statement" : sql;
    ++m_nRoundTrips;
    ResultPtr result(Finish(m_pConn, PQexec(m_pConn, text.c_str())), PQclear);
    if (Succeeded(result.get())) {
        if (PQtransactionStatus(m_pConn) == PQTRANS_IDLE)
            TransactionEnded();
        return true;
    }
    Fail(result.get(), error);
    if (!m_bLost)
        Undo(guarded);
    return false;
}

bool Connection::Commit(ErrorRecord& error)
{
    if (m_bLost)
        return true;
    Settle();
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

void Connection::CloseCursor(const std::string& name, unsigned generation)
{
    if (m_bLost || generation != m_nGeneration || m_nOpenCursors == 0)
        return;
    --m_nOpenCursors;
    if (!m_bWork && m_nOpenCursors == 0) {
        // Nothing else in the transaction: its end closes the cursor.
        PostEnd("COMMIT");
        TransactionEnded();
        return;
    }
    Post({Command{Command::Kind::Sql, "SAVEPOINT ocipg_statement", {}},
          Command{Command::Kind::Sql, "CLOSE " + name, {}},
          Command{Command::Kind::Sql, "RELEASE SAVEPOINT ocipg_statement", {}}});
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
