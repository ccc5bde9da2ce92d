#pragma once

// One logged-on PostgreSQL session, and Oracle's transaction manners on it:
// a failed statement undoes only itself, a query's cursor lives in a
// transaction the library opens and closes, OCI_DEFAULT leaves changes open.
// What belongs together goes to the server in one round trip (libpq's
// pipeline mode).

#include "ocipg/ClientEncoding.h"
#include "ocipg/ConnectString.h"
#include "ocipg/Errors.h"
#include "ocipg/dictionary/Dictionary.h"

#include <libpq-fe.h>

#include <memory>
#include <string>
#include <vector>

namespace ocipg {

using ResultPtr = std::unique_ptr<PGresult, void (*)(PGresult*)>;

// One command of a round trip.
struct Command {
    enum class Kind { Sql, DescribePortal, Prepare, DescribePrepared };
    Kind m_kind = Kind::Sql;
    std::string m_strText;              // the SQL, or the portal to describe
    std::vector<const char*> m_params;  // text values, null for NULL; alive until sent
};

// The commands of one round trip; they succeed or fail together.
struct Request {
    std::vector<Command> m_commands;
    bool m_bTransaction = false;  // needs one: BEGIN first when none is open
    int m_nOwnCursors = 0;        // open cursors of the transaction that are the request's own
    // The last command may take what follows it for data (COPY FROM STDIN):
    // nothing else is sent after it in the same round trip.
    bool m_bOpenEnded = false;
};

class Connection {
public:
    // Logs on; null, with the Oracle error in error, when that fails.
    static std::shared_ptr<Connection> Open(const ConnectTarget& target, const std::string& user,
                                            const std::string& password, const ClientCharset& charset,
                                            ErrorRecord& error);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool Superuser() const { return m_bSuperuser; }
    // The most bytes per character of the database's encoding.
    int MaxCharBytes() const { return m_nMaxCharBytes; }
    // libpq's number of the client encoding, to walk texts by character.
    int ClientEncodingId() const { return m_nClientEncoding; }
    // Whole days (rounded up) until the role's password expires, when that
    // is within Oracle's warning period; else 0.
    int PasswordDaysLeft() const { return m_nPasswordDaysLeft; }
    Dictionary& SessionDictionary() { return m_dictionary; }

    // Sends the request in one round trip; results: one per command. Inside a
    // transaction that holds other work a savepoint keeps a failure to the
    // request itself, as Oracle rolls back only the failed statement. False,
    // with the Oracle error, on failure; ORA-03113 when the server went
    // away, ORA-03114 for every request after that.
    bool Exchange(const Request& request, std::vector<ResultPtr>& results, ErrorRecord& error);
    // Several statements at once, simple protocol (dictionary set-up).
    bool RunScript(const std::string& sql, ErrorRecord& error);
    // Commits an open transaction; the cursors in it are gone afterwards.
    bool Commit(ErrorRecord& error);
    // Changes left in the open transaction (OCI_DEFAULT).
    void KeepWork();

    std::string NewCursorName();
    void CursorOpened() { ++m_nOpenCursors; }
    // Closes a cursor opened in transaction generation, without waiting for
    // the server; the transaction ends with its last cursor unless it holds
    // work.
    void CloseCursor(const std::string& name, unsigned generation);
    // Increases whenever a transaction ends, which closes its cursors.
    unsigned Generation() const { return m_nGeneration; }
    bool Lost() const { return m_bLost; }
    // Round trips so far: requests the library waited for the server to answer.
    unsigned RoundTrips() const { return m_nRoundTrips; }
    // Oracle commits at a normal logoff.
    void End();

private:
    explicit Connection(PGconn* pConn);
    bool Usable(ErrorRecord& error);
    // Queues the commands and a sync; how many commands went (all, unless
    // libpq refused one), or kNotSent when the sync did not go either.
    size_t Send(const std::vector<const Command*>& commands);
    // Sends commands without waiting for the answer: it is read before the
    // next request.
    void Post(const std::vector<Command>& commands);
    // Posts COMMIT or ROLLBACK. Whatever its answer, the session is out of
    // the transaction after it, so the next request goes behind it in the
    // same round trip instead of waiting for that answer first.
    void PostEnd(const char* sql);
    // Reads the answers to what was posted: a round trip of its own.
    void Settle();
    bool ReadPosted();
    // Reads the result of one command sent in pipeline mode.
    ResultPtr Receive();
    bool ReceiveSync();
    // Undoes a failed request, without waiting: to its savepoint, or the
    // whole transaction.
    void Undo(bool guarded);
    // Brings a transaction that posted commands left failed back to its
    // savepoint, else rolls it back.
    void Recover();
    bool Simple(const char* sql, ErrorRecord& error);
    void Fail(const PGresult* result, ErrorRecord& error);
    void TransactionEnded();

    PGconn* m_pConn;
    bool m_bSuperuser;
    int m_nMaxCharBytes;
    int m_nClientEncoding;
    int m_nPasswordDaysLeft = 0;
    Dictionary m_dictionary;
    bool m_bLost = false;
    bool m_bWork = false;
    int m_nOpenCursors = 0;
    int m_nPosted = 0;  // syncs sent by Post, not read yet
    bool m_bPostedInTransaction = false;  // one of them leaves a transaction open
    unsigned m_nGeneration = 0;
    unsigned m_nCursorSerial = 0;
    unsigned m_nRoundTrips = 0;
};

}  // namespace ocipg
