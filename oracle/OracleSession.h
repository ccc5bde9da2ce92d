#pragma once

#include "oracle/OciLibrary.h"
#include "oracle/SessionResult.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

// The one object that talks to Oracle: it owns the OCI library, every OCI
// handle, the statement of the current query and its column buffers. All
// operations return a SessionResult and run on the calling thread.
class OracleSession {
public:
    // A query is described with at most this many columns.
    static constexpr int kMaxColumns = 4096;

    // Loads the OCI library; a failure is shown to the user once and leaves
    // the session without Oracle access.
    OracleSession();
    // Logs off if needed and releases the library.
    virtual ~OracleSession();

    OracleSession(const OracleSession&) = delete;
    OracleSession& operator=(const OracleSession&) = delete;

    static SessionResult MapOciStatus(int status);

    // Logs on to the net service name. Blank user and password log on with
    // operating-system authentication. The texts need no terminating zero.
    // SR_SUCCESS_WITH_INFO: logged on with a warning (a password about to
    // expire), kept in LogonWarning().
    SessionResult Connect(const char* service, int serviceLength, const char* user, int userLength,
                          const char* password, int passwordLength, LoginMode loginMode);
    SessionResult Disconnect();
    // The warning of the last Connect that had one; empty otherwise.
    const std::string& LogonWarning() const { return m_strLogonWarning; }
    // 1 leaves statements that are not queries uncommitted; anything else
    // commits each one that succeeds. Connect resets it to 0.
    SessionResult SetCommitMode(int mode);

    // Prepares and executes one statement. A query stays open as the current
    // query, replacing the previous one; any other statement is freed at once.
    SessionResult Execute(const char* text, int length, int* isQuery, int* columnCount,
                          int* rowCount);
    // Names the current query's first columnCount columns and gives each a
    // text buffer.
    SessionResult DescribeColumns(int columnCount, std::vector<std::string>* names);
    // Fetches the next row as texts, "NULL" for a NULL value; SR_NO_DATA
    // after the last row.
    SessionResult FetchRow(int columnCount, std::vector<std::string>* values);
    SessionResult CloseStatement();
    // The first error record of the error handle, zero-terminated within
    // bufferSize bytes.
    SessionResult GetErrorText(char* buffer, int bufferSize, int* errorCode);

private:
    SessionResult LoadOci();
    bool HasHandles() const;
    std::string FirstErrorText();
    // Ends, detaches and frees whatever connection handles exist, in reverse
    // order of allocation; the query is closed before.
    void ReleaseHandles();

    int m_nCommitMode = 0;
    OCIEnv* m_pEnv = nullptr;
    OCIError* m_pError = nullptr;
    OCIServer* m_pServer = nullptr;
    OCISvcCtx* m_pSvcCtx = nullptr;
    OCISession* m_pSession = nullptr;
    OCIStmt* m_pQuery = nullptr;
    std::array<OCIDefine*, kMaxColumns> m_apDefine{};
    std::array<sb2, kMaxColumns> m_anIndicator{};
    int m_bConnected = 0;
    // OCIInitialize has succeeded; the library is terminated when it goes.
    bool m_bInitialized = false;
    // What a failed Connect got as far as, so that its leftovers are undone
    // exactly.
    bool m_bAttached = false;
    bool m_bSessionBegun = false;
    std::vector<std::unique_ptr<char[]>> m_apColumnBuffer;
    // Of the client character set NLS_LANG named at the last Connect.
    int m_nClientCharBytes = 1;
    std::string m_strLogonWarning;
    OciLibrary m_oci;
};
