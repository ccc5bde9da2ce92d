#pragma once

// The result of every database operation of OracleSession and CLumidexDoc.
// 0 to 7 mirror the OCI statuses (OracleSession::MapOciStatus); 8 and 9 are
// the session's own.
using SessionResult = int;

inline constexpr SessionResult SR_SUCCESS = 0;
inline constexpr SessionResult SR_SUCCESS_WITH_INFO = 1;
inline constexpr SessionResult SR_ERROR = 2;
inline constexpr SessionResult SR_NEED_DATA = 3;
inline constexpr SessionResult SR_NO_DATA = 4;
inline constexpr SessionResult SR_STILL_EXECUTING = 5;
inline constexpr SessionResult SR_INVALID_HANDLE = 6;
inline constexpr SessionResult SR_CONTINUE = 7;
inline constexpr SessionResult SR_NOT_CONNECTED = 8;
inline constexpr SessionResult SR_NOT_LOADED = 9;

// The login type of Connect: 0 Normal, 1 SYSOPER, 2 SYSDBA.
using LoginMode = int;
