#pragma once

// A query's rows as the server hands them out: a cursor declared on the
// server, read in round trips that bring the rows asked for plus the
// prefetch, so memory stays bounded and a caller that stops early leaves
// the rest unread.

#include "ocipg/ColumnTypes.h"
#include "ocipg/Connection.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ocipg {

// OCI_ATTR_PREFETCH_ROWS and OCI_ATTR_PREFETCH_MEMORY of a statement.
struct Prefetch {
    ub4 m_nRows = 1;    // Oracle's default
    ub4 m_nMemory = 0;  // bytes; 0: no bound
};

class QueryCursor {
public:
    QueryCursor() = default;
    ~QueryCursor() { Close(); }
    QueryCursor(const QueryCursor&) = delete;
    QueryCursor& operator=(const QueryCursor&) = delete;

    // Declares and describes the cursor in one round trip, which also brings
    // the rows asked for and the prefetch.
    bool Open(const std::shared_ptr<Connection>& conn, const std::string& sql, const std::vector<const char*>& params,
              ub4 asked, const Prefetch& prefetch, std::vector<ColumnInfo>& columns, ErrorRecord& error);
    // Moves to the next row; when none is left, one round trip brings the
    // rows asked for plus the prefetch. False at the end (error empty) or on
    // failure.
    bool Next(ub4 asked, const Prefetch& prefetch, ErrorRecord& error)
    {
        if (m_bOpen && !Current())
            return Broken(error);
        if (m_nRow + 1 < m_nRows) {
            ++m_nRow;
            return true;
        }
        return Refill(asked, prefetch, error);
    }
    // The current row: row Row() of Batch().
    const PGresult* Batch() const { return m_pBatch.get(); }
    int Row() const { return m_nRow; }
    // libpq's number of the client encoding the rows come in; SQL_ASCII (0,
    // bytes) once the connection is gone.
    int ClientEncodingId() const { return m_pConnection.expired() ? 0 : m_pConn->ClientEncodingId(); }
    // Ends the query; the rows not read yet stay unread on the server.
    void Close();
    // Round trips of the fetches since the last call.
    unsigned TakeRoundTrips() { return std::exchange(m_nRoundTrips, 0u); }

private:
    // Still readable: logged on, and no commit since the cursor opened.
    bool Current() const
    {
        return !m_pConnection.expired() && !m_pConn->Lost() && m_pConn->Generation() == m_nGeneration;
    }
    bool Broken(ErrorRecord& error);
    bool Refill(ub4 asked, const Prefetch& prefetch, ErrorRecord& error);
    // A round trip's rows; the end of the query when fewer came than asked.
    void Take(ResultPtr batch, long asked);

    std::weak_ptr<Connection> m_pConnection;
    Connection* m_pConn = nullptr;  // m_pConnection's, while it lives
    std::string m_strName;
    unsigned m_nGeneration = 0;
    bool m_bOpen = false;    // on the server
    bool m_bBroken = false;  // failed, or went with a commit
    ResultPtr m_pBatch{nullptr, PQclear};
    int m_nRows = 0;  // in m_pBatch
    int m_nRow = -1;
    size_t m_nRowBytes = 0;  // a row of the last round trip took; 0 before the first
    unsigned m_nRoundTrips = 0;
};

}  // namespace ocipg
