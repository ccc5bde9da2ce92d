#pragma once

#include "oci/oci_api.h"

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
    kOraNlsEnvironment = 12705,
    kOraInternal = 21500,
    kOraNoMemory = 21501,
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
    kOraPasswordWillExpire = 28002,
    kOraForeignSystem = 28500,
    kOraCertificateValidation = 29024,
};

}  // namespace ocipg
