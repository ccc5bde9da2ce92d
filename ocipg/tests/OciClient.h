#pragma once

// A test-side OCI client: the library loaded with dlopen and its entry
// points resolved by name, plus a session that logs on and runs statements
// the way Lumidex does.

#include "oci/oci_api.h"

#include <string>
#include <vector>

namespace ocitest {

struct OciApi {
    decltype(&::OCIInitialize) Initialize = nullptr;
    decltype(&::OCIEnvInit) EnvInit = nullptr;
    decltype(&::OCIHandleAlloc) HandleAlloc = nullptr;
    decltype(&::OCIServerAttach) ServerAttach = nullptr;
    decltype(&::OCIAttrSet) AttrSet = nullptr;
    decltype(&::OCIAttrGet) AttrGet = nullptr;
    decltype(&::OCIBindByPos) BindByPos = nullptr;
    decltype(&::OCIHandleFree) HandleFree = nullptr;
    decltype(&::OCISessionBegin) SessionBegin = nullptr;
    decltype(&::OCISessionEnd) SessionEnd = nullptr;
    decltype(&::OCIStmtExecute) StmtExecute = nullptr;
    decltype(&::OCIStmtPrepare) StmtPrepare = nullptr;
    decltype(&::OCIStmtFetch) StmtFetch = nullptr;
    decltype(&::OCIDefineByPos) DefineByPos = nullptr;
    decltype(&::OCIErrorGet) ErrorGet = nullptr;
    decltype(&::OCIParamGet) ParamGet = nullptr;
    decltype(&::OCIServerDetach) ServerDetach = nullptr;
    decltype(&::OCITerminate) Terminate = nullptr;
    // Beyond the entry points Lumidex resolves.
    decltype(&::OCIDescriptorFree) DescriptorFree = nullptr;

    // The names of the entry points that did not resolve (empty: all did).
    std::vector<std::string> m_missing;
};

// Loaded once per process and kept; null when the library does not load.
const OciApi* LoadOci(const char* path);

// The text of record 1 of an error handle, or "" when there is none.
std::string ErrorText(const OciApi& oci, OCIError* error, sb4* code = nullptr);

struct Column {
    std::string m_strName;
    ub2 m_nDisplaySize = 0;
    ub2 m_nDataType = 0;
};

// Logs on as Lumidex does and runs statements; frees everything at the end.
class Session {
public:
    explicit Session(const OciApi& oci);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    sword Connect(const std::string& service, const std::string& user, const std::string& password,
                  ub4 mode = OCI_DEFAULT);
    // For a query: executes without fetching and describes; for anything
    // else: executes with commitMode.
    sword Execute(const std::string& sql, ub4 commitMode = OCI_COMMIT_ON_SUCCESS);
    // One row per call into buffers of display size + 1, as Lumidex does.
    sword FetchRow(std::vector<std::string>& values);
    // Execute, then fetch until the end; the rows' values, "NULL" for NULL.
    sword Query(const std::string& sql, std::vector<std::vector<std::string>>& rows);
    // The first value of a query, or "error: " and the error text.
    std::string Value(const std::string& sql);
    void CloseQuery();
    void Disconnect();

    std::string Error(sb4* code = nullptr) const { return ErrorText(m_oci, m_pError, code); }
    ub4 RowCount() const { return m_nRowCount; }
    ub2 StatementType() const { return m_nStmtType; }
    const std::vector<Column>& Columns() const { return m_columns; }
    OCIError* ErrorHandle() const { return m_pError; }
    OCIEnv* EnvHandle() const { return m_pEnv; }
    OCISvcCtx* ServiceContext() const { return m_pSvc; }
    OCIStmt* QueryStatement() const { return m_pQuery; }

private:
    const OciApi& m_oci;
    OCIEnv* m_pEnv = nullptr;
    OCIError* m_pError = nullptr;
    OCIServer* m_pServer = nullptr;
    OCISvcCtx* m_pSvc = nullptr;
    OCISession* m_pSession = nullptr;
    OCIStmt* m_pQuery = nullptr;
    bool m_bLoggedOn = false;
    std::vector<Column> m_columns;
    std::vector<std::vector<char>> m_buffers;
    std::vector<sb2> m_indicators;
    ub4 m_nRowCount = 0;
    ub2 m_nStmtType = 0;
};

}  // namespace ocitest
