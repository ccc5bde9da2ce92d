#include "ocipg/QueryCursor.h"

#include <algorithm>
#include <climits>

namespace ocipg {

namespace {

// About the most fetched row data a statement holds at once.
constexpr size_t kMaxHeldBytes = size_t{16} << 20;

// Rows one round trip brings: those asked for plus the prefetch, within the
// memory bounds. rowBytes: what a row of the round trip before took; 0
// before the first, which brings one row at most, as nothing is known yet of
// how wide the rows are.
long RowsToBring(ub4 asked, const Prefetch& prefetch, size_t rowBytes)
{
    if (rowBytes == 0)
        return std::min<long>(1, static_cast<long>(asked) + prefetch.m_nRows);
    size_t prefetched = prefetch.m_nRows;
    if (prefetch.m_nMemory > 0)
        prefetched = std::min(prefetched, prefetch.m_nMemory / rowBytes);
    const size_t rows = std::min(asked + prefetched, std::max<size_t>(1, kMaxHeldBytes / rowBytes));
    return static_cast<long>(std::min<size_t>(rows, INT_MAX));
}

Command Fetch(const std::string& cursor, long rows)
{
    Command command;
    command.m_strText = "FETCH FORWARD " + std::to_string(rows) + " FROM " + cursor;
    return command;
}

}  // namespace

bool QueryCursor::Open(const std::shared_ptr<Connection>& conn, const std::string& sql,
                       const std::vector<const char*>& params, ub4 asked, const Prefetch& prefetch,
                       std::vector<ColumnInfo>& columns, ErrorRecord& error)
{
    Close();
    m_bBroken = false;
    m_nRowBytes = 0;
    const std::string name = conn->NewCursorName();
    const long rows = RowsToBring(asked, prefetch, m_nRowBytes);
    Request request;
    // A cursor needs a transaction; the connection ends it with the last cursor.
    request.m_bTransaction = true;
    request.m_commands.resize(2);
    request.m_commands[0].m_strText = "DECLARE " + name + " NO SCROLL CURSOR FOR " + sql;
    request.m_commands[0].m_params = params;
    request.m_commands[1].m_kind = Command::Kind::DescribePortal;
    request.m_commands[1].m_strText = name;
    if (rows > 0)
        request.m_commands.push_back(Fetch(name, rows));
    std::vector<ResultPtr> results;
    if (!conn->Exchange(request, results, error))
        return false;
    conn->CursorOpened();
    m_pConnection = conn;
    m_pConn = conn.get();
    m_strName = name;
    m_nGeneration = conn->Generation();
    m_bOpen = true;
    const PGresult* description = results[1].get();
    columns.clear();
    for (int i = 0; i < PQnfields(description); ++i)
        columns.push_back(DescribeColumn(PQfname(description, i), PQftype(description, i), PQfmod(description, i),
                                         conn->MaxCharBytes()));
    if (rows > 0)
        Take(std::move(results[2]), rows);
    return true;
}

bool QueryCursor::Broken(ErrorRecord& error)
{
    // Logged off, or a commit since the execute closed the cursor.
    m_bBroken = true;
    m_bOpen = false;
    m_pBatch.reset();
    m_nRows = 0;
    m_nRow = -1;
    error.Set(m_pConnection.expired() || m_pConn->Lost() ? kOraNotConnected : kOraFetchOutOfSequence);
    return false;
}

bool QueryCursor::Refill(ub4 asked, const Prefetch& prefetch, ErrorRecord& error)
{
    m_pBatch.reset();
    m_nRows = 0;
    m_nRow = -1;
    if (m_bBroken)
        return Broken(error);
    if (!m_bOpen)
        return false;
    const long rows = RowsToBring(asked, prefetch, m_nRowBytes);
    Request request;
    request.m_nOwnCursors = 1;
    request.m_commands.push_back(Fetch(m_strName, rows));
    std::vector<ResultPtr> results;
    const unsigned before = m_pConn->RoundTrips();
    const bool fetched = m_pConn->Exchange(request, results, error);
    m_nRoundTrips += m_pConn->RoundTrips() - before;
    if (!fetched) {
        // The query is over; the cursor stays on the server until then.
        m_bBroken = true;
        m_bOpen = false;
        m_pConn->CloseCursor(m_strName, m_nGeneration);
        return false;
    }
    Take(std::move(results[0]), rows);
    m_nRow = 0;
    return m_nRows > 0;
}

void QueryCursor::Take(ResultPtr batch, long asked)
{
    m_pBatch = std::move(batch);
    m_nRows = PQntuples(m_pBatch.get());
    m_nRow = -1;
    if (m_nRows > 0)
        m_nRowBytes = std::max<size_t>(1, PQresultMemorySize(m_pBatch.get()) / static_cast<size_t>(m_nRows));
    if (m_nRows < asked) {
        // The end is in this round trip: free the server's side now.
        m_bOpen = false;
        m_pConn->CloseCursor(m_strName, m_nGeneration);
    }
}

void QueryCursor::Close()
{
    m_pBatch.reset();
    m_nRows = 0;
    m_nRow = -1;
    if (!m_bOpen)
        return;
    m_bOpen = false;
    if (const std::shared_ptr<Connection> conn = m_pConnection.lock())
        conn->CloseCursor(m_strName, m_nGeneration);
}

}  // namespace ocipg
