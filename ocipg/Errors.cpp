#include "ocipg/Errors.h"

#include <cstdio>
#include <cstring>

namespace ocipg {

namespace {

// Oracle's texts; a %s is filled from the PostgreSQL error's fields.
struct OracleText {
    sb4 m_nCode;
    const char* m_szText;
};

constexpr OracleText kTexts[] = {
    {1, "unique constraint (%s) violated"},
    {54, "resource busy and acquire with NOWAIT specified or timeout expired"},
    {60, "deadlock detected while waiting for resource"},
    {900, "invalid SQL statement"},
    {904, "%s: invalid identifier"},
    {911, "invalid character"},
    {918, "column ambiguously defined"},
    {933, "SQL command not properly ended"},
    {942, "table or view does not exist"},
    {955, "name is already used by an existing object"},
    {1002, "fetch out of sequence"},
    {1005, "null password given; logon denied"},
    {1007, "variable not in select list"},
    {1008, "not all variables bound"},
    {1013, "user requested cancel of current operation"},
    {1017, "invalid username/password; logon denied"},
    {1031, "insufficient privileges"},
    {1033, "ORACLE initialization or shutdown in progress"},
    {1036, "illegal variable name/number"},
    {1400, "cannot insert NULL into (%s)"},
    {1401, "inserted value too large for column"},
    {1405, "fetched column value is NULL"},
    {1406, "fetched column value was truncated"},
    {1438, "value larger than specified precision allowed for this column"},
    {1459, "invalid length for variable character string"},
    {1476, "divisor is equal to zero"},
    {1722, "invalid number"},
    {1861, "literal does not match format string"},
    {2290, "check constraint (%s) violated"},
    {3113, "end-of-file on communication channel"},
    {3114, "not connected to ORACLE"},
    {3115, "unsupported network datatype or representation"},
    {8177, "can't serialize access for this transaction"},
    {12154, "TNS:could not resolve the connect identifier specified"},
    {12162, "TNS:net service name is incorrectly specified"},
    {12170, "TNS:Connect timeout occurred"},
    {12514, "TNS:listener does not currently know of service requested in connect descriptor"},
    {12541, "TNS:no listener"},
    {12705, "Cannot access NLS data files or invalid environment specified"},
    {21500, "internal error code, arguments: [%s], [], [], [], [], [], [], []"},
    {21501, "program could not allocate memory"},
    {24300, "bad value for mode"},
    {24308, "illegal define position"},
    {24309, "already connected to a server"},
    {24313, "user already authenticated"},
    {24315, "illegal attribute type"},
    {24333, "zero iteration count"},
    {24334, "no descriptor for this position"},
    {24337, "statement handle not prepared"},
    {24338, "statement handle not executed"},
    {24391, "invalid fetch operation"},
    {24373, "invalid length specified for statement"},
    {28002, "the password will expire within %s days"},
    {28500, "connection from ORACLE to a non-Oracle system returned this message:"},
    {29024, "Certificate validation failure"},
};

// What fills the %s of the Oracle text.
enum class Fill { None, Constraint, Column, Identifier };

// SQLSTATE (five characters, or a two-character class) to Oracle error.
struct SqlStateMap {
    const char* m_szState;
    sb4 m_nCode;
    Fill m_fill;
    // PostgreSQL's message is a fixed phrase that says no more than Oracle's
    // text, so it is left out.
    bool m_bSaysNoMore = false;
};

constexpr SqlStateMap kSqlStates[] = {
    {"23505", 1, Fill::Constraint},
    {"55P03", 54, Fill::None},
    {"40P01", 60, Fill::None, true},  // deadlock detected
    {"42601", 933, Fill::None},  // 900 when the error is at the first word
    {"42703", 904, Fill::Identifier},
    {"42702", 918, Fill::None},
    {"42P01", 942, Fill::None},
    {"42P07", 955, Fill::None},
    {"42710", 955, Fill::None},
    {"57014", 1013, Fill::None},
    {"28P01", 1017, Fill::None},
    {"28000", 1017, Fill::None},
    {"42501", 1031, Fill::None},
    {"57P03", 1033, Fill::None},
    {"23502", 1400, Fill::Column},
    {"22001", 1401, Fill::None},
    {"22003", 1438, Fill::None},
    {"22012", 1476, Fill::None, true},  // division by zero
    {"22P02", 1722, Fill::None},
    {"22007", 1861, Fill::None},
    {"23514", 2290, Fill::Constraint},
    {"57P01", 3113, Fill::None},
    {"57P02", 3113, Fill::None},
    {"08", 3113, Fill::None},
    {"40001", 8177, Fill::None},
    {"3D000", 12514, Fill::None},
};

const char* TextOf(sb4 code)
{
    for (const OracleText& text : kTexts)
        if (text.m_nCode == code)
            return text.m_szText;
    return "";
}

const SqlStateMap* MapOf(std::string_view state)
{
    for (const SqlStateMap& map : kSqlStates)
        if (state == map.m_szState)
            return &map;
    for (const SqlStateMap& map : kSqlStates)
        if (std::strlen(map.m_szState) == 2 && state.substr(0, 2) == map.m_szState)
            return &map;
    return nullptr;
}

std::string Field(const PGresult* result, int field)
{
    const char* value = result ? PQresultErrorField(result, field) : nullptr;
    return value ? value : "";
}

// A name an unquoted Oracle identifier reaches: a lower-case ASCII letter,
// then lower-case ASCII letters, digits and '_'.
bool ReachedUnquoted(std::string_view pgName)
{
    if (pgName.empty() || pgName.front() < 'a' || pgName.front() > 'z')
        return false;
    for (char c : pgName)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

std::string Quoted(std::string_view name) { return "\"" + OracleName(name) + "\""; }

// The name a PostgreSQL message is about, as Oracle quotes it: the first
// "quoted" word, else the second word (column e.x does not exist).
std::string QuotedNameIn(std::string_view message)
{
    const size_t open = message.find('"');
    const size_t close = open == std::string_view::npos ? open : message.find('"', open + 1);
    if (close != std::string_view::npos)
        return Quoted(message.substr(open + 1, close - open - 1));
    const size_t start = message.find(' ');
    if (start == std::string_view::npos)
        return "\"\"";
    const std::string_view rest = message.substr(start + 1);
    std::string_view name = rest.substr(0, rest.find(' '));
    std::string result;
    while (!name.empty()) {
        const size_t dot = name.find('.');
        result += (result.empty() ? "" : ".") + Quoted(name.substr(0, dot));
        name = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    }
    return result;
}

}  // namespace

void ErrorRecord::Clear()
{
    m_nCode = 0;
    m_strText.clear();
}

void ErrorRecord::Set(sb4 code, std::string_view fill, std::string_view serverMessage)
{
    char number[16];
    std::snprintf(number, sizeof number, "ORA-%05d: ", static_cast<int>(code));
    std::string text = TextOf(code);
    const size_t slot = text.find("%s");
    if (slot != std::string::npos)
        text.replace(slot, 2, fill);
    m_nCode = code;
    m_strText = number + text + "\n";
    while (!serverMessage.empty() && serverMessage.back() == '\n')
        serverMessage.remove_suffix(1);
    if (!serverMessage.empty())
        m_strText.append("PostgreSQL: ").append(serverMessage).append("\n");
}

void ErrorRecord::SetOutOfMemory() noexcept
{
    try {
        Set(kOraNoMemory);
    } catch (...) {
        m_nCode = kOraNoMemory;
        m_strText.clear();
    }
}

void ErrorRecord::SetInternal(const char* what) noexcept
{
    try {
        Set(kOraInternal, what);
    } catch (...) {
        m_nCode = kOraInternal;
        m_strText.clear();
    }
}

void SetFromSqlState(ErrorRecord& error, std::string_view sqlState, std::string_view message)
{
    const SqlStateMap* map = MapOf(sqlState);
    if (!map) {
        error.Set(kOraForeignSystem, {}, message);
        return;
    }
    error.Set(map->m_nCode, map->m_fill == Fill::Identifier ? QuotedNameIn(message) : "",
              map->m_bSaysNoMore ? std::string_view() : message);
}

void SetFromServer(ErrorRecord& error, const PGresult* result)
{
    const std::string state = Field(result, PG_DIAG_SQLSTATE);
    std::string message = Field(result, PG_DIAG_MESSAGE_PRIMARY);
    if (message.empty() && result)
        message = PQresultErrorMessage(result);
    const SqlStateMap* map = MapOf(state);
    if (!map) {
        error.Set(kOraForeignSystem, {}, message);
        return;
    }
    std::string fill;
    const std::string schema = Field(result, PG_DIAG_SCHEMA_NAME);
    switch (map->m_fill) {
    case Fill::Constraint:
        fill = (schema.empty() ? "" : OracleName(schema) + ".") +
               OracleName(Field(result, PG_DIAG_CONSTRAINT_NAME));
        break;
    case Fill::Column:
        fill = (schema.empty() ? "" : Quoted(schema) + ".") +
               Quoted(Field(result, PG_DIAG_TABLE_NAME)) + "." +
               Quoted(Field(result, PG_DIAG_COLUMN_NAME));
        break;
    case Fill::Identifier:
        fill = QuotedNameIn(message);
        break;
    case Fill::None:
        break;
    }
    sb4 code = map->m_nCode;
    if (code == kOraNotProperlyEnded && Field(result, PG_DIAG_STATEMENT_POSITION) == "1")
        code = kOraInvalidSql;
    error.Set(code, fill, map->m_bSaysNoMore ? std::string() : message);
}

std::string OracleName(std::string_view pgName)
{
    std::string name(pgName);
    if (ReachedUnquoted(pgName)) {
        for (char& c : name)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
    }
    return name;
}

}  // namespace ocipg
