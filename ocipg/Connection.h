#pragma once

// One logged-on PostgreSQL session, and Oracle's transaction manners on it:
// a failed statement undoes only itself, a query's cursor lives in a
// transaction the library opens and closes, OCI_DEFAULT leaves changes open.

#include "ocipg/ClientEncoding.h"
#include "ocipg/ConnectString.h"
#include "ocipg/Errors.h"
#include "ocipg/dictionary/Dictionary.h"

#include <libpq-fe.h>

#include <functional>
#include <memory>
#include <string>

namespace ocipg {

using ResultPtr = std::unique_ptr<PGresult, void (*)(PGresult*)>;

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

    // Sends one request. Inside a transaction a savepoint keeps a failure to
    // the request itself, as Oracle rolls back only the failed statement.
    // Null, with the Oracle error in error, on failure; ORA-03113 when the
    // server went away, ORA-03114 for every request after that.
    ResultPtr Run(const std::function<PGresult*(PGconn*)>& send, ErrorRecord& error);
    // Several statements at once, simple protocol (dictionary set-up).
    bool RunScript(const std::string& sql, ErrorRecord& error);

    bool BeginIfIdle(ErrorRecord& error);
    // Commits an open transaction; the cursors in it are gone afterwards.
    bool Commit(ErrorRecord& error);
    // Changes left in the open transaction (OCI_DEFAULT).
    void KeepWork();

    std::string NewCursorName();
    void CursorOpened() { ++m_nOpenCursors; }
    // generation: the one the cursor was opened in.
    void CursorClosed(unsigned generation);
    // Ends a transaction that holds nothing but closed cursors.
    void EndIdleTransaction();
    // Increases whenever a transaction ends, which closes its cursors.
    unsigned Generation() const { return m_nGeneration; }
    bool Lost() const { return m_bLost; }
    // Oracle commits at a normal logoff.
    void End();

private:
    explicit Connection(PGconn* pConn);
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
    unsigned m_nGeneration = 0;
    unsigned m_nCursorSerial = 0;
};

}  // namespace ocipg
