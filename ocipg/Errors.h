#pragma once

// The error record of an error handle, and the Oracle errors the library
// reports: Oracle's number and text, PostgreSQL's own message on a second line.

#include "oracle/oci_api.h"

#include <libpq-fe.h>

#include <string>
#include <string_view>

namespace ocipg {

// Oracle error numbers the library itself raises.
enum OraError : sb4 {
    kOraNotAllBound = 1008,
    kOraNullPassword = 1005,
    kOraFetchOutOfSequence = 1002,
    kOraNotInSelectList = 1007,
    kOraNullFetched = 1405,
    kOraTruncated = 1406,
    kOraInvalidCharacter = 911,
    kOraInvalidSql = 900,
    kOraNotProperlyEnded = 933,
    kOraInvalidLogon = 1017,
    kOraNoPrivilege = 1031,
    kOraEndOfFile = 3113,
    kOraNotConnected = 3114,
    kOraUnsupportedType = 3115,
    kOraBadVariable = 1036,
    kOraBadStringLength = 1459,
    kOraCannotResolve = 12154,
    kOraBadServiceName = 12162,
    kOraConnectTimeout = 12170,
    kOraNoListener = 12541,
    kOraBadMode = 24300,
    kOraAlreadyAttached = 24309,
    kOraAlreadyAuthenticated = 24313,
    kOraBadDefinePosition = 24308,
    kOraBadAttribute = 24315,
    kOraZeroIterations = 24333,
    kOraNoDescriptor = 24334,
    kOraNotPrepared = 24337,
    kOraNotExecuted = 24338,
    kOraBadFetch = 24391,
    kOraBadStatementLength = 24373,
    kOraForeignSystem = 28500,
};

struct ErrorRecord {
    sb4 m_nCode = 0;
    std::string m_strText;

    bool Empty() const { return m_nCode == 0; }
    void Clear();
    // fill replaces the %s of Oracle's text; serverMessage, when given,
    // becomes the second line.
    void Set(sb4 code, std::string_view fill = {}, std::string_view serverMessage = {});
};

// The Oracle error nearest to a PostgreSQL error, by SQLSTATE.
void SetFromServer(ErrorRecord& error, const PGresult* result);
// Same for an error known only by SQLSTATE and message (a failed logon).
void SetFromSqlState(ErrorRecord& error, std::string_view sqlState, std::string_view message);

// How Oracle shows a PostgreSQL name: lower case folds to upper case, as
// Oracle reports unquoted names; any other name stays as it is.
std::string OracleName(std::string_view pgName);

}  // namespace ocipg
