#include "ocipg/Statement.h"

#include <cstdlib>
#include <cstring>

namespace ocipg {

namespace {

// Rows per FETCH from the server's cursor.
constexpr int kBatchRows = 500;

template <class T>
sword Put(void* attributep, ub4* sizep, T value)
{
    if (!attributep)
        return OCI_ERROR;
    std::memcpy(attributep, &value, sizeof value);
    if (sizep)
        *sizep = sizeof value;
    return OCI_SUCCESS;
}

bool IsBindType(ub2 type, sb4 size)
{
    switch (type) {
    case SQLT_STR:
    case SQLT_CHR:
    case SQLT_AFC:
        return true;
    case SQLT_INT:
    case SQLT_UIN:
        return size == 1 || size == 2 || size == 4 || size == 8;
    default:
        return false;
    }
}

std::string IntegerText(const char* p, sb4 size, bool isSigned)
{
    long long value = 0;
    unsigned long long unsignedValue = 0;
    switch (size) {
    case 1: value = isSigned ? *reinterpret_cast<const signed char*>(p) : 0; unsignedValue = static_cast<unsigned char>(*p); break;
    case 2: { short s; unsigned short u; std::memcpy(&s, p, 2); std::memcpy(&u, p, 2); value = s; unsignedValue = u; break; }
    case 4: { int s; unsigned u; std::memcpy(&s, p, 4); std::memcpy(&u, p, 4); value = s; unsignedValue = u; break; }
    default: { long long s; unsigned long long u; std::memcpy(&s, p, 8); std::memcpy(&u, p, 8); value = s; unsignedValue = u; break; }
    }
    return isSigned ? std::to_string(value) : std::to_string(unsignedValue);
}

// libpq's number of the client encoding the values come in; SQL_ASCII (0,
// bytes) once the connection is gone.
int ClientEncodingOf(const std::weak_ptr<Connection>& connection)
{
    const std::shared_ptr<Connection> conn = connection.lock();
    return conn ? conn->ClientEncodingId() : 0;
}

}  // namespace

Statement::~Statement()
{
    CloseCursor();
}

void Statement::Reset()
{
    CloseCursor();
    m_bPrepared = false;
    m_bExecuted = false;
    m_pConnection.reset();
    m_columns.clear();
    m_defines.clear();
    m_binds.clear();
    m_params.clear();
    m_nRowCount = 0;
    m_nRowsFetched = 0;
}

void Statement::CloseCursor()
{
    m_pBatch.reset();
    m_nBatchRow = -1;
    if (!m_bCursorOpen)
        return;
    m_bCursorOpen = false;
    const std::shared_ptr<Connection> conn = m_pConnection.lock();
    if (!conn || conn->Lost() || conn->Generation() != m_nCursorGeneration)
        return;
    ErrorRecord ignored;
    const std::string sql = "CLOSE " + m_strCursor;
    conn->Run([&sql](PGconn* c) { return PQexec(c, sql.c_str()); }, ignored);
    conn->CursorClosed(m_nCursorGeneration);
    conn->EndIdleTransaction();
}

sword Statement::Prepare(std::string_view text, const std::shared_ptr<Connection>& conn, ErrorRecord& error)
{
    Reset();
    if (text.empty()) {
        error.Set(kOraBadStatementLength);
        return OCI_ERROR;
    }
    // DEFERRABLE and its like, columns of the dictionary views, are reserved
    // words in PostgreSQL; a query gets them quoted.
    m_sql = ScanSql(Dictionary::RewriteQuery(text));
    if (m_sql.m_nRefusal) {
        // Nothing of it runs: Oracle takes one statement at a time.
        error.Set(m_sql.m_nRefusal);
        return OCI_ERROR;
    }
    m_strText = std::string(text);
    if (conn && !PrepareOn(conn, error))
        return OCI_ERROR;
    m_bPrepared = true;
    return OCI_SUCCESS;
}

bool Statement::PrepareOn(const std::shared_ptr<Connection>& conn, ErrorRecord& error)
{
    m_pConnection.reset();
    m_columns.clear();
    m_params.clear();
    const std::string setup = conn->SessionDictionary().PrepareFor(m_strText);
    if (!setup.empty() && !conn->RunScript(setup, error))
        return false;
    const std::string& sql = m_sql.m_strServerText;
    // Parse and describe with nothing between them: a simple query (the
    // savepoint's release) would drop the unnamed statement.
    ResultPtr description = conn->Run(
        [&sql](PGconn* c) {
            PGresult* parsed = PQprepare(c, "", sql.c_str(), 0, nullptr);
            if (PQresultStatus(parsed) != PGRES_COMMAND_OK)
                return parsed;
            PQclear(parsed);
            return PQdescribePrepared(c, "");
        },
        error);
    if (!description)
        return false;
    for (int i = 0; i < PQnfields(description.get()); ++i)
        m_columns.push_back(DescribeColumn(PQfname(description.get(), i), PQftype(description.get(), i),
                                           PQfmod(description.get(), i), conn->MaxCharBytes()));
    m_pConnection = conn;
    return true;
}

bool Statement::BindValues(ub4 iteration, std::vector<std::optional<std::string>>& values, ErrorRecord& error) const
{
    values.clear();
    for (int position = 1; position <= m_sql.m_nPlaceholders; ++position) {
        const auto it = m_binds.find(static_cast<ub4>(position));
        if (it == m_binds.end()) {
            error.Set(kOraNotAllBound);
            return false;
        }
        const Bind& bind = *it->second;
        if (!bind.m_pValue || (bind.m_pIndicator && bind.m_pIndicator[iteration] == -1)) {
            values.emplace_back();
            continue;
        }
        const char* p = bind.m_pValue + static_cast<size_t>(iteration) * static_cast<size_t>(bind.m_nValueSize);
        switch (bind.m_nType) {
        case SQLT_STR:
            values.emplace_back(std::string(p, strnlen(p, static_cast<size_t>(bind.m_nValueSize))));
            break;
        case SQLT_INT:
        case SQLT_UIN:
            values.emplace_back(IntegerText(p, bind.m_nValueSize, bind.m_nType == SQLT_INT));
            break;
        default:
            values.emplace_back(std::string(p, bind.m_pLength ? bind.m_pLength[iteration]
                                                              : static_cast<size_t>(bind.m_nValueSize)));
            break;
        }
    }
    return true;
}

sword Statement::Execute(const std::shared_ptr<Connection>& conn, ub4 iters, ub4 rowoff, ub4 mode,
                         ErrorRecord& error)
{
    if (!m_bPrepared) {
        error.Set(kOraNotPrepared);
        return OCI_ERROR;
    }
    if (!conn || conn->Lost()) {
        error.Set(kOraNotConnected);
        return OCI_ERROR;
    }
    CloseCursor();
    m_bExecuted = false;
    m_bBroken = false;
    m_nRowCount = 0;
    m_nRowsFetched = 0;
    if (m_pConnection.lock() != conn && !PrepareOn(conn, error))
        return OCI_ERROR;
    if (mode & OCI_DESCRIBE_ONLY)
        return OCI_SUCCESS;
    if (IsQuery())
        return ExecuteQuery(*conn, iters, error);
    if (iters == 0) {
        error.Set(kOraZeroIterations);
        return OCI_ERROR;
    }
    return ExecuteOther(*conn, iters, rowoff, mode, error);
}

sword Statement::ExecuteQuery(Connection& conn, ub4 iters, ErrorRecord& error)
{
    std::vector<std::optional<std::string>> values;
    if (!BindValues(0, values, error))
        return OCI_ERROR;
    std::vector<const char*> pointers;
    for (const auto& value : values)
        pointers.push_back(value ? value->c_str() : nullptr);
    // A cursor needs a transaction; the library ends it with the last cursor.
    if (!conn.BeginIfIdle(error))
        return OCI_ERROR;
    const std::string cursor = conn.NewCursorName();
    const std::string sql = "DECLARE " + cursor + " NO SCROLL CURSOR FOR " + m_sql.m_strServerText;
    const int count = static_cast<int>(pointers.size());
    if (!conn.Run([&](PGconn* c) { return PQexecParams(c, sql.c_str(), count, nullptr, pointers.data(), nullptr, nullptr, 0); },
                  error)) {
        conn.EndIdleTransaction();
        return OCI_ERROR;
    }
    conn.CursorOpened();
    m_strCursor = cursor;
    m_nCursorGeneration = conn.Generation();
    m_bCursorOpen = true;
    m_bLastBatch = false;
    m_bBroken = false;
    m_bExecuted = true;
    return iters > 0 ? Fetch(iters, OCI_FETCH_NEXT, error) : OCI_SUCCESS;
}

sword Statement::ExecuteOther(Connection& conn, ub4 iters, ub4 rowoff, ub4 mode, ErrorRecord& error)
{
    const bool commit = (mode & OCI_COMMIT_ON_SUCCESS) != 0;
    // Changes left open (OCI_DEFAULT) or several rows at once go in a transaction.
    if ((!commit || iters > 1) && !conn.BeginIfIdle(error))
        return OCI_ERROR;
    const std::string& sql = m_sql.m_strServerText;
    std::vector<std::optional<std::string>> values;
    std::vector<const char*> pointers;
    for (ub4 iteration = rowoff; iteration < rowoff + iters; ++iteration) {
        if (!BindValues(iteration, values, error)) {
            conn.EndIdleTransaction();
            return OCI_ERROR;
        }
        pointers.clear();
        for (const auto& value : values)
            pointers.push_back(value ? value->c_str() : nullptr);
        const int count = static_cast<int>(pointers.size());
        ResultPtr result = conn.Run(
            [&](PGconn* c) { return PQexecParams(c, sql.c_str(), count, nullptr, pointers.data(), nullptr, nullptr, 0); },
            error);
        if (!result) {
            conn.EndIdleTransaction();
            return OCI_ERROR;
        }
        m_nRowCount += static_cast<ub4>(std::strtoul(PQcmdTuples(result.get()), nullptr, 10));
    }
    m_bExecuted = true;
    if (commit)
        return conn.Commit(error) ? OCI_SUCCESS : OCI_ERROR;
    conn.KeepWork();
    return OCI_SUCCESS;
}

bool Statement::NextRow(ErrorRecord& error)
{
    if (m_bBroken) {
        const std::shared_ptr<Connection> conn = m_pConnection.lock();
        error.Set(!conn || conn->Lost() ? kOraNotConnected : kOraFetchOutOfSequence);
        return false;
    }
    if (m_bCursorOpen) {
        const std::shared_ptr<Connection> conn = m_pConnection.lock();
        if (!conn || conn->Lost() || conn->Generation() != m_nCursorGeneration) {
            // Logged off, or a commit since the execute closed the cursor.
            m_bBroken = true;
            m_bCursorOpen = false;
            m_pBatch.reset();
            error.Set(!conn || conn->Lost() ? kOraNotConnected : kOraFetchOutOfSequence);
            return false;
        }
    }
    if (m_pBatch && m_nBatchRow + 1 < PQntuples(m_pBatch.get())) {
        ++m_nBatchRow;
        return true;
    }
    m_pBatch.reset();
    if (!m_bCursorOpen || m_bLastBatch)
        return false;
    const std::shared_ptr<Connection> conn = m_pConnection.lock();
    const std::string sql = "FETCH FORWARD " + std::to_string(kBatchRows) + " FROM " + m_strCursor;
    m_pBatch = conn->Run([&sql](PGconn* c) { return PQexec(c, sql.c_str()); }, error);
    if (!m_pBatch) {
        m_bBroken = true;
        m_bCursorOpen = false;
        conn->CursorClosed(m_nCursorGeneration);
        conn->EndIdleTransaction();
        return false;
    }
    if (PQntuples(m_pBatch.get()) < kBatchRows) {
        // The end is in this batch: free the server's side now.
        m_bLastBatch = true;
        ResultPtr batch = std::move(m_pBatch);
        CloseCursor();
        m_pBatch = std::move(batch);
    }
    m_nBatchRow = 0;
    return PQntuples(m_pBatch.get()) > 0;
}

void Statement::CopyRow(ub4 row, bool& truncated, bool& nullLost)
{
    const PGresult* batch = m_pBatch.get();
    for (const auto& [position, define] : m_defines) {
        const int column = static_cast<int>(position) - 1;
        if (column >= PQnfields(batch))
            continue;
        char* dest = define->m_pValue ? define->m_pValue + static_cast<size_t>(row) * static_cast<size_t>(define->m_nValueSize)
                                      : nullptr;
        sb2* indicator = define->m_pIndicator ? define->m_pIndicator + row : nullptr;
        ub2* length = define->m_pLength ? define->m_pLength + row : nullptr;
        ub2* code = define->m_pCode ? define->m_pCode + row : nullptr;
        if (PQgetisnull(batch, m_nBatchRow, column)) {
            if (dest)
                dest[0] = '\0';
            if (indicator)
                *indicator = -1;
            else
                nullLost = true;
            if (length)
                *length = 0;
            if (code)
                *code = static_cast<ub2>(kOraNullFetched);
            continue;
        }
        const size_t full = static_cast<size_t>(PQgetlength(batch, m_nBatchRow, column));
        const size_t room = static_cast<size_t>(define->m_nValueSize) - 1;
        // A cut never splits a character.
        const size_t copied = full <= room ? full
                                           : WholeCharacters(PQgetvalue(batch, m_nBatchRow, column), room,
                                                             ClientEncodingOf(m_pConnection));
        if (dest) {
            std::memcpy(dest, PQgetvalue(batch, m_nBatchRow, column), copied);
            dest[copied] = '\0';
        }
        const bool cut = full > room;
        truncated |= cut;
        if (indicator)
            *indicator = cut ? (full > 32767 ? -2 : static_cast<sb2>(full)) : 0;
        if (length)
            *length = static_cast<ub2>(copied);
        if (code)
            *code = cut ? static_cast<ub2>(kOraTruncated) : 0;
    }
}

sword Statement::Fetch(ub4 nrows, ub2 orientation, ErrorRecord& error)
{
    if (orientation != OCI_FETCH_NEXT && orientation != OCI_DEFAULT) {
        error.Set(kOraBadFetch);
        return OCI_ERROR;
    }
    if (!m_bExecuted || !IsQuery()) {
        error.Set(kOraNotExecuted);
        return OCI_ERROR;
    }
    m_nRowsFetched = 0;
    if (nrows == 0) {
        // Oracle's way to cancel the rest of a query.
        CloseCursor();
        m_bLastBatch = true;
        return OCI_SUCCESS;
    }
    bool truncated = false;
    bool nullLost = false;
    while (m_nRowsFetched < nrows) {
        if (!NextRow(error)) {
            if (!error.Empty())
                return OCI_ERROR;
            break;
        }
        CopyRow(m_nRowsFetched, truncated, nullLost);
        ++m_nRowsFetched;
        ++m_nRowCount;
    }
    if (nullLost) {
        error.Set(kOraNullFetched);
        return OCI_ERROR;
    }
    if (truncated) {
        error.Set(kOraTruncated);
        return OCI_SUCCESS_WITH_INFO;
    }
    return m_nRowsFetched < nrows ? OCI_NO_DATA : OCI_SUCCESS;
}

sword Statement::DefineByPos(OCIDefine** defnp, ub4 position, void* valuep, sb4 valueSize, ub2 type, void* indp,
                             ub2* rlenp, ub2* rcodep, ErrorRecord& error)
{
    if (!defnp || position < 1 || (m_pConnection.lock() && position > m_columns.size())) {
        error.Set(kOraBadDefinePosition);
        return OCI_ERROR;
    }
    if (type != SQLT_STR) {
        error.Set(kOraUnsupportedType);
        return OCI_ERROR;
    }
    if (valueSize < 1) {
        error.Set(kOraBadStringLength);
        return OCI_ERROR;
    }
    std::unique_ptr<Define>& define = m_defines[position];
    if (!define)
        define = std::make_unique<Define>(m_pEnv);
    define->m_pValue = static_cast<char*>(valuep);
    define->m_nValueSize = valueSize;
    define->m_pIndicator = static_cast<sb2*>(indp);
    define->m_pLength = rlenp;
    define->m_pCode = rcodep;
    *defnp = reinterpret_cast<OCIDefine*>(static_cast<Handle*>(define.get()));
    return OCI_SUCCESS;
}

sword Statement::BindByPos(OCIBind** bindp, ub4 position, void* valuep, sb4 valueSize, ub2 type, void* indp,
                           ub2* alenp, ErrorRecord& error)
{
    if (!bindp || position < 1 || position > static_cast<ub4>(m_sql.m_nPlaceholders)) {
        error.Set(kOraBadVariable);
        return OCI_ERROR;
    }
    if (!IsBindType(type, valueSize) || valueSize < 0) {
        error.Set(kOraUnsupportedType);
        return OCI_ERROR;
    }
    std::unique_ptr<Bind>& bind = m_binds[position];
    if (!bind)
        bind = std::make_unique<Bind>(m_pEnv);
    bind->m_pValue = static_cast<const char*>(valuep);
    bind->m_nValueSize = valueSize;
    bind->m_nType = type;
    bind->m_pIndicator = static_cast<const sb2*>(indp);
    bind->m_pLength = alenp;
    *bindp = reinterpret_cast<OCIBind*>(static_cast<Handle*>(bind.get()));
    return OCI_SUCCESS;
}

sword Statement::ParamGet(ub4 position, void** parmdpp, ErrorRecord& error)
{
    if (!m_pConnection.lock()) {
        error.Set(kOraNotExecuted);
        return OCI_ERROR;
    }
    if (!parmdpp || position < 1 || position > m_columns.size()) {
        error.Set(kOraNoDescriptor);
        return OCI_ERROR;
    }
    std::unique_ptr<Param>& param = m_params[position];
    if (!param)
        param = std::make_unique<Param>(m_pEnv, m_columns[position - 1]);
    *parmdpp = static_cast<Handle*>(param.get());
    return OCI_SUCCESS;
}

sword Statement::AttrGet(void* attributep, ub4* sizep, ub4 attribute, ErrorRecord& error) const
{
    switch (attribute) {
    case OCI_ATTR_STMT_TYPE:
        return Put<ub2>(attributep, sizep, m_sql.m_nType);
    case OCI_ATTR_PARAM_COUNT:
        return Put<ub4>(attributep, sizep, static_cast<ub4>(m_columns.size()));
    case OCI_ATTR_ROW_COUNT:
        return Put<ub4>(attributep, sizep, m_nRowCount);
    case OCI_ATTR_ROWS_FETCHED:
        return Put<ub4>(attributep, sizep, m_nRowsFetched);
    case OCI_ATTR_PREFETCH_ROWS:
        return Put<ub4>(attributep, sizep, m_nPrefetchRows);
    default:
        error.Set(kOraBadAttribute);
        return OCI_ERROR;
    }
}

sword Statement::AttrSet(const void* attributep, ub4 attribute, ErrorRecord& error)
{
    if (attribute == OCI_ATTR_PREFETCH_ROWS && attributep) {
        // Accepted; the batches of the cursor already spare the round trips.
        std::memcpy(&m_nPrefetchRows, attributep, sizeof m_nPrefetchRows);
        return OCI_SUCCESS;
    }
    error.Set(kOraBadAttribute);
    return OCI_ERROR;
}

}  // namespace ocipg
