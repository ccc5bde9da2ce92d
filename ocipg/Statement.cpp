#include "ocipg/Statement.h"

#include "ocipg/Ascii7.h"
#include "ocipg/RoundTripLog.h"

#include <cstdlib>
#include <cstring>

namespace ocipg {

namespace {

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

std::vector<const char*> Pointers(const std::vector<std::optional<std::string>>& values)
{
    std::vector<const char*> pointers;
    for (const auto& value : values)
        pointers.push_back(value ? value->c_str() : nullptr);
    return pointers;
}

}  // namespace

Statement::~Statement()
{
    LogRoundTrips();
}

void Statement::Reset()
{
    LogRoundTrips();
    m_cursor.Close();
    m_bPrepared = false;
    m_bExecuted = false;
    m_bFetchEnded = false;
    m_bDescribed = false;
    m_columns.clear();
    m_defines.clear();
    m_binds.clear();
    m_nRowCount = 0;
    m_nRowsFetched = 0;
}

void Statement::LogRoundTrips()
{
    if (!m_bLogPending)
        return;
    m_bLogPending = false;
    ocipg::LogRoundTrips(m_nRoundTrips + m_cursor.TakeRoundTrips(), m_strText);
    m_nRoundTrips = 0;
}

sword Statement::Prepare(std::string_view text, ErrorRecord& error)
{
    Reset();
    if (text.empty()) {
        error.Set(kOraBadStatementLength);
        return OCI_ERROR;
    }
    // DEFERRABLE and its like, columns of the dictionary views, are reserved
    // words in PostgreSQL; a query gets them quoted.
    m_sql = ScanSql(Dictionary::RewriteQuery(text));
    m_strText = std::string(text);
    m_bPrepared = true;
    return OCI_SUCCESS;
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
        // No character of US7ASCII is above 127, in values as in texts.
        if (m_pEnv->m_charset.m_bAscii7)
            *values.back() = Ascii7FromProgram(*values.back());
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
    LogRoundTrips();
    m_bLogPending = true;
    m_cursor.Close();
    m_bExecuted = false;
    m_bFetchEnded = false;
    m_bDescribed = false;
    m_columns.clear();
    m_nRowCount = 0;
    m_nRowsFetched = 0;
    // What the server would refuse to parse, nothing of it sent: Oracle
    // takes one statement at a time.
    if (m_sql.m_nRefusal) {
        error.Set(m_sql.m_nRefusal);
        return OCI_ERROR;
    }
    if (!IsQuery() && !(mode & OCI_DESCRIBE_ONLY) && iters == 0) {
        error.Set(kOraZeroIterations);
        return OCI_ERROR;
    }
    const unsigned before = conn->RoundTrips();
    sword status = OCI_ERROR;
    const std::string setup = conn->SessionDictionary().PrepareFor(m_strText);
    if (setup.empty() || conn->RunScript(setup, error)) {
        if (mode & OCI_DESCRIBE_ONLY)
            status = Describe(*conn, error);
        else if (IsQuery())
            status = ExecuteQuery(conn, iters, error);
        else
            status = ExecuteOther(*conn, iters, rowoff, mode, error);
    }
    m_nRoundTrips += conn->RoundTrips() - before;
    return status;
}

sword Statement::Describe(Connection& conn, ErrorRecord& error)
{
    Request request;
    request.m_commands.resize(2);
    request.m_commands[0].m_kind = Command::Kind::Prepare;
    request.m_commands[0].m_strText = m_sql.m_strServerText;
    request.m_commands[1].m_kind = Command::Kind::DescribePrepared;
    std::vector<ResultPtr> results;
    if (!conn.Exchange(request, results, error))
        return OCI_ERROR;
    const PGresult* description = results[1].get();
    for (int i = 0; i < PQnfields(description); ++i)
        m_columns.push_back(DescribeColumn(PQfname(description, i), PQftype(description, i),
                                           PQfmod(description, i), conn.MaxCharBytes()));
    m_bDescribed = true;
    return OCI_SUCCESS;
}

sword Statement::ExecuteQuery(const std::shared_ptr<Connection>& conn, ub4 iters, ErrorRecord& error)
{
    std::vector<std::optional<std::string>> values;
    if (!BindValues(0, values, error))
        return OCI_ERROR;
    if (!m_cursor.Open(conn, m_sql.m_strServerText, Pointers(values), iters, m_prefetch, m_columns, error))
        return OCI_ERROR;
    m_bDescribed = true;
    m_bExecuted = true;
    return iters > 0 ? Fetch(iters, OCI_FETCH_NEXT, error) : OCI_SUCCESS;
}

sword Statement::ExecuteOther(Connection& conn, ub4 iters, ub4 rowoff, ub4 mode, ErrorRecord& error)
{
    const bool commit = (mode & OCI_COMMIT_ON_SUCCESS) != 0;
    Request request;
    // Changes left open (OCI_DEFAULT) or several rows at once go in a transaction.
    request.m_bTransaction = !commit || iters > 1;
    // Any statement may be a COPY FROM STDIN.
    request.m_bOpenEnded = true;
    request.m_commands.resize(1);
    request.m_commands[0].m_strText = m_sql.m_strServerText;
    std::vector<std::optional<std::string>> values;
    std::vector<ResultPtr> results;
    for (ub4 iteration = rowoff; iteration < rowoff + iters; ++iteration) {
        if (!BindValues(iteration, values, error))
            return OCI_ERROR;
        request.m_commands[0].m_params = Pointers(values);
        // A failing row undoes itself only; the rows before it stay, in the
        // open transaction, as Oracle's array execute leaves them.
        if (!conn.Exchange(request, results, error))
            return OCI_ERROR;
        m_nRowCount += static_cast<ub4>(std::strtoul(PQcmdTuples(results[0].get()), nullptr, 10));
        conn.KeepWork();
    }
    m_bExecuted = true;
    m_bDescribed = true;
    if (commit)
        return conn.Commit(error) ? OCI_SUCCESS : OCI_ERROR;
    return OCI_SUCCESS;
}

void Statement::CopyRow(ub4 row, bool& truncated, bool& nullLost)
{
    const PGresult* batch = m_cursor.Batch();
    const int tuple = m_cursor.Row();
    for (const auto& [position, define] : m_defines) {
        const int column = static_cast<int>(position) - 1;
        char* dest = define->m_pValue ? define->m_pValue + static_cast<size_t>(row) * static_cast<size_t>(define->m_nValueSize)
                                      : nullptr;
        sb2* indicator = define->m_pIndicator ? define->m_pIndicator + row : nullptr;
        ub2* length = define->m_pLength ? define->m_pLength + row : nullptr;
        ub2* code = define->m_pCode ? define->m_pCode + row : nullptr;
        if (PQgetisnull(batch, tuple, column)) {
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
        const size_t full = static_cast<size_t>(PQgetlength(batch, tuple, column));
        const size_t room = static_cast<size_t>(define->m_nValueSize) - 1;
        // A cut never splits a character.
        const size_t copied = full <= room ? full
                                           : WholeCharacters(PQgetvalue(batch, tuple, column), room,
                                                             m_cursor.ClientEncodingId());
        if (dest) {
            std::memcpy(dest, PQgetvalue(batch, tuple, column), copied);
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
        m_cursor.Close();
        m_bFetchEnded = true;
        return OCI_SUCCESS;
    }
    // As Oracle's, a query found at its end does not say OCI_NO_DATA again.
    if (m_bFetchEnded) {
        error.Set(kOraFetchOutOfSequence);
        return OCI_ERROR;
    }
    if (!m_defines.empty() && m_defines.rbegin()->first > m_columns.size()) {
        error.Set(kOraNotInSelectList);
        return OCI_ERROR;
    }
    bool truncated = false;
    bool nullLost = false;
    while (m_nRowsFetched < nrows) {
        if (!m_cursor.Next(nrows - m_nRowsFetched, m_prefetch, error)) {
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
    m_bFetchEnded = m_nRowsFetched < nrows;
    return m_bFetchEnded ? OCI_NO_DATA : OCI_SUCCESS;
}

sword Statement::DefineByPos(OCIDefine** defnp, ub4 position, void* valuep, sb4 valueSize, ub2 type, void* indp,
                             ub2* rlenp, ub2* rcodep, ErrorRecord& error)
{
    if (!defnp || position < 1 || (m_bDescribed && position > m_columns.size())) {
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
    if (!m_bDescribed) {
        error.Set(kOraNotExecuted);
        return OCI_ERROR;
    }
    if (!parmdpp || position < 1 || position > m_columns.size()) {
        error.Set(kOraNoDescriptor);
        return OCI_ERROR;
    }
    *parmdpp = m_pEnv->Adopt(std::make_unique<Param>(m_pEnv, m_columns[position - 1]));
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
        return Put<ub4>(attributep, sizep, m_prefetch.m_nRows);
    case OCI_ATTR_PREFETCH_MEMORY:
        return Put<ub4>(attributep, sizep, m_prefetch.m_nMemory);
    default:
        error.Set(kOraBadAttribute);
        return OCI_ERROR;
    }
}

sword Statement::AttrSet(const void* attributep, ub4 attribute, ErrorRecord& error)
{
    ub4* target = attribute == OCI_ATTR_PREFETCH_ROWS     ? &m_prefetch.m_nRows
                  : attribute == OCI_ATTR_PREFETCH_MEMORY ? &m_prefetch.m_nMemory
                                                          : nullptr;
    if (!target || !attributep) {
        error.Set(kOraBadAttribute);
        return OCI_ERROR;
    }
    std::memcpy(target, attributep, sizeof *target);
    return OCI_SUCCESS;
}

}  // namespace ocipg
