#include "oracle/OracleSession.h"

#include "oracle/ClientEnvironment.h"
#include "oracle/NlsLang.h"
#include "platform/UserMessage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace {

// Each query's rows come from the server this many at a time at most (and
// within kPrefetchMemory bytes): one round trip per row would freeze the
// window over a slow link.
constexpr ub4 kPrefetchRows = 1000;
constexpr ub4 kPrefetchMemory = 4 * 1024 * 1024;

constexpr char kNotLoadedText[] = "You are not connected to database!\nOci.dll is not loaded!";

struct StatusMapping {
    int m_nOciStatus;
    SessionResult m_nResult;
};

constexpr StatusMapping kStatusMappings[] = {
    {OCI_SUCCESS, SR_SUCCESS},
    {OCI_SUCCESS_WITH_INFO, SR_SUCCESS_WITH_INFO},
    {OCI_ERROR, SR_ERROR},
    {OCI_NEED_DATA, SR_NEED_DATA},
    {OCI_NO_DATA, SR_NO_DATA},
    {OCI_STILL_EXECUTING, SR_STILL_EXECUTING},
    {OCI_INVALID_HANDLE, SR_INVALID_HANDLE},
    {OCI_CONTINUE, SR_CONTINUE},
};

ub4 SessionModeOf(LoginMode loginMode)
{
    switch (loginMode) {
    case 2:
        return OCI_SYSDBA;
    case 1:
        return OCI_SYSOPER;
    default:
        return OCI_DEFAULT;
    }
}

}  // namespace

OracleSession::OracleSession()
{
    LoadOci();
}

OracleSession::~OracleSession()
{
    if (m_oci.IsLoaded()) {
        Disconnect();
        // Once a process, as the client's reference asks: a terminate at each
        // logoff would tear down what a later logon still needs.
        if (m_bInitialized)
            m_oci.m_pfnOCITerminate(OCI_DEFAULT);
        m_oci.Close();
    }
}

SessionResult OracleSession::LoadOci()
{
    SetClientEnvironmentDefaults();
    if (!m_oci.Open()) {
        platform::ShowUserMessage("Failed to load oci.dll!\nHave you installed the Oracle client?");
        // Not an error to pass on: the user was told once, and the session simply has no
        // Oracle access; Connect answers SR_NOT_LOADED from then on.
        return SR_SUCCESS;
    }
    if (const char* pszMissing = m_oci.ResolveEntryPoints()) {
        platform::ShowUserMessage("Failed to find " + std::string(pszMissing) + "(...)in oci.dll!");
        m_oci.Close();
        return SR_ERROR;
    }
    return SR_SUCCESS;
}

SessionResult OracleSession::MapOciStatus(int status)
{
    for (const StatusMapping& mapping : kStatusMappings) {
        if (mapping.m_nOciStatus == status)
            return mapping.m_nResult;
    }
    return SR_ERROR;
}

bool OracleSession::HasHandles() const
{
    return m_pEnv || m_pError || m_pServer || m_pSvcCtx || m_pSession;
}

SessionResult OracleSession::Connect(const char* service, int serviceLength, const char* user,
                                     int userLength, const char* password, int passwordLength,
                                     LoginMode loginMode)
{
    if (m_bConnected)
        return SR_ERROR;
    if (!m_oci.IsLoaded())
        return SR_NOT_LOADED;

    // A failed attempt leaves its handles for the caller to read the error
    // text from; by now it has.
    if (HasHandles())
        ReleaseHandles();
    m_nCommitMode = 0;

    const ub4 nSessionMode = SessionModeOf(loginMode);

    sword status = OCI_SUCCESS;
    if (!m_bInitialized) {
        status = m_oci.m_pfnOCIInitialize(OCI_OBJECT, nullptr, nullptr, nullptr, nullptr);
        if (status != OCI_SUCCESS)
            return MapOciStatus(status);
        m_bInitialized = true;
    }
    status = m_oci.m_pfnOCIEnvInit(&m_pEnv, OCI_ENV_NO_UCB, 0, nullptr);
    if (status != OCI_SUCCESS)
        return MapOciStatus(status);
    // The client reads NLS_LANG as the environment is made.
    m_nClientCharBytes = MaxBytesPerCharacter(std::getenv("NLS_LANG"));
    m_strLogonWarning.clear();

    m_oci.m_pfnOCIHandleAlloc(m_pEnv, reinterpret_cast<dvoid**>(&m_pError), OCI_HTYPE_ERROR, 0,
                              nullptr);
    m_oci.m_pfnOCIHandleAlloc(m_pEnv, reinterpret_cast<dvoid**>(&m_pServer), OCI_HTYPE_SERVER, 0,
                              nullptr);
    m_oci.m_pfnOCIHandleAlloc(m_pEnv, reinterpret_cast<dvoid**>(&m_pSvcCtx), OCI_HTYPE_SVCCTX, 0,
                              nullptr);

    status = m_oci.m_pfnOCIServerAttach(m_pServer, m_pError,
                                        reinterpret_cast<const OraText*>(service), serviceLength,
                                        OCI_DEFAULT);
    if (status != OCI_SUCCESS)
        return MapOciStatus(status);
    m_bAttached = true;

    m_oci.m_pfnOCIAttrSet(m_pSvcCtx, OCI_HTYPE_SVCCTX, m_pServer, 0, OCI_ATTR_SERVER, m_pError);
    m_oci.m_pfnOCIHandleAlloc(m_pEnv, reinterpret_cast<dvoid**>(&m_pSession), OCI_HTYPE_SESSION,
                              0, nullptr);

    ub4 nCredentials = OCI_CRED_RDBMS;
    if (userLength == 0 && passwordLength == 0) {
        static char szEmpty[] = "";
        m_oci.m_pfnOCIAttrSet(m_pSession, OCI_HTYPE_SESSION, szEmpty, 0, OCI_ATTR_USERNAME,
                              m_pError);
        m_oci.m_pfnOCIAttrSet(m_pSession, OCI_HTYPE_SESSION, szEmpty, 0, OCI_ATTR_PASSWORD,
                              m_pError);
        nCredentials = OCI_CRED_EXT;
    } else {
        m_oci.m_pfnOCIAttrSet(m_pSession, OCI_HTYPE_SESSION, const_cast<char*>(user),
                              static_cast<ub4>(userLength), OCI_ATTR_USERNAME, m_pError);
        m_oci.m_pfnOCIAttrSet(m_pSession, OCI_HTYPE_SESSION, const_cast<char*>(password),
                              static_cast<ub4>(passwordLength), OCI_ATTR_PASSWORD, m_pError);
    }

    status = m_oci.m_pfnOCISessionBegin(m_pSvcCtx, m_pError, m_pSession, nCredentials,
                                        nSessionMode);
    // With a warning (a password about to expire) the session has begun all
    // the same and must be ended when the leftovers go.
    m_bSessionBegun = status == OCI_SUCCESS || status == OCI_SUCCESS_WITH_INFO;
    if (!m_bSessionBegun)
        return MapOciStatus(status);
    // The warning's record goes with the next call.
    const sword begun = status;
    if (begun == OCI_SUCCESS_WITH_INFO)
        m_strLogonWarning = FirstErrorText();

    status = m_oci.m_pfnOCIAttrSet(m_pSvcCtx, OCI_HTYPE_SVCCTX, m_pSession, 0, OCI_ATTR_SESSION,
                                   m_pError);
    if (status != OCI_SUCCESS)
        return MapOciStatus(status);

    m_bConnected = 1;
    return MapOciStatus(begun);
}

SessionResult OracleSession::Disconnect()
{
    if (!m_bConnected) {
        if (HasHandles())
            ReleaseHandles();
        return SR_NOT_CONNECTED;
    }
    if (!m_oci.IsLoaded())
        return SR_NOT_LOADED;
    CloseStatement();
    ReleaseHandles();
    m_bConnected = 0;
    m_apColumnBuffer.clear();
    return SR_SUCCESS;
}

void OracleSession::ReleaseHandles()
{
    if (m_pSession) {
        if (m_bSessionBegun)
            m_oci.m_pfnOCISessionEnd(m_pSvcCtx, m_pError, m_pSession, OCI_DEFAULT);
        m_oci.m_pfnOCIHandleFree(m_pSession, OCI_HTYPE_SESSION);
        m_pSession = nullptr;
    }
    if (m_pSvcCtx) {
        m_oci.m_pfnOCIHandleFree(m_pSvcCtx, OCI_HTYPE_SVCCTX);
        m_pSvcCtx = nullptr;
    }
    if (m_pServer) {
        if (m_bAttached)
            m_oci.m_pfnOCIServerDetach(m_pServer, m_pError, OCI_DEFAULT);
        m_oci.m_pfnOCIHandleFree(m_pServer, OCI_HTYPE_SERVER);
        m_pServer = nullptr;
    }
    if (m_pError) {
        m_oci.m_pfnOCIHandleFree(m_pError, OCI_HTYPE_ERROR);
        m_pError = nullptr;
    }
    if (m_pEnv) {
        m_oci.m_pfnOCIHandleFree(m_pEnv, OCI_HTYPE_ENV);
        m_pEnv = nullptr;
    }
    m_bAttached = false;
    m_bSessionBegun = false;
}

SessionResult OracleSession::SetCommitMode(int mode)
{
    m_nCommitMode = mode;
    return SR_SUCCESS;
}

SessionResult OracleSession::Execute(const char* text, int length, int* isQuery,
                                     int* columnCount, int* rowCount)
{
    *isQuery = 0;
    *columnCount = 0;
    *rowCount = 0;
    if (!m_bConnected)
        return SR_NOT_CONNECTED;
    if (!m_oci.IsLoaded())
        return SR_NOT_LOADED;

    OCIStmt* pStatement = nullptr;
    m_oci.m_pfnOCIHandleAlloc(m_pEnv, reinterpret_cast<dvoid**>(&pStatement), OCI_HTYPE_STMT, 0,
                              nullptr);
    sword status = m_oci.m_pfnOCIStmtPrepare(pStatement, m_pError,
                                             reinterpret_cast<const OraText*>(text),
                                             static_cast<ub4>(length), OCI_NTV_SYNTAX,
                                             OCI_DEFAULT);
    if (status == OCI_SUCCESS) {
        ub4 nType = 0;
        ub4 nTypeSize = sizeof nType;
        if (m_oci.m_pfnOCIAttrGet(pStatement, OCI_HTYPE_STMT, &nType, &nTypeSize,
                                  OCI_ATTR_STMT_TYPE, m_pError) == OCI_SUCCESS)
            *isQuery = nType == OCI_STMT_SELECT ? 1 : 0;

        if (!*isQuery) {
            const ub4 nMode = m_nCommitMode == 1 ? OCI_DEFAULT : OCI_COMMIT_ON_SUCCESS;
            status = m_oci.m_pfnOCIStmtExecute(m_pSvcCtx, pStatement, m_pError, 1, 0, nullptr,
                                               nullptr, nMode);
            ub4 nRows = 0;
            if (status == OCI_SUCCESS &&
                m_oci.m_pfnOCIAttrGet(pStatement, OCI_HTYPE_STMT, &nRows, nullptr,
                                      OCI_ATTR_ROW_COUNT, m_pError) == OCI_SUCCESS)
                *rowCount = static_cast<int>(nRows);
        } else {
            // The query is the session's from here on, even when it fails.
            CloseStatement();
            m_pQuery = std::exchange(pStatement, nullptr);
            ub4 nPrefetchRows = kPrefetchRows;
            ub4 nPrefetchMemory = kPrefetchMemory;
            m_oci.m_pfnOCIAttrSet(m_pQuery, OCI_HTYPE_STMT, &nPrefetchRows, sizeof nPrefetchRows,
                                  OCI_ATTR_PREFETCH_ROWS, m_pError);
            m_oci.m_pfnOCIAttrSet(m_pQuery, OCI_HTYPE_STMT, &nPrefetchMemory, sizeof nPrefetchMemory,
                                  OCI_ATTR_PREFETCH_MEMORY, m_pError);
            status = m_oci.m_pfnOCIStmtExecute(m_pSvcCtx, m_pQuery, m_pError, 0, 0, nullptr,
                                               nullptr, OCI_DEFAULT);
            if (status == OCI_SUCCESS) {
                ub4 nColumns = 0;
                status = m_oci.m_pfnOCIAttrGet(m_pQuery, OCI_HTYPE_STMT, &nColumns, nullptr,
                                               OCI_ATTR_PARAM_COUNT, m_pError);
                if (status == OCI_SUCCESS)
                    *columnCount = static_cast<int>(nColumns);
                ub4 nRows = 0;
                if (m_oci.m_pfnOCIAttrGet(m_pQuery, OCI_HTYPE_STMT, &nRows, nullptr,
                                          OCI_ATTR_ROW_COUNT, m_pError) == OCI_SUCCESS)
                    *rowCount = static_cast<int>(nRows);
            }
        }
    }
    if (pStatement)
        m_oci.m_pfnOCIHandleFree(pStatement, OCI_HTYPE_STMT);
    return MapOciStatus(status);
}

SessionResult OracleSession::DescribeColumns(int columnCount, std::vector<std::string>* names)
{
    if (!m_bConnected)
        return SR_NOT_CONNECTED;
    if (!m_oci.IsLoaded())
        return SR_NOT_LOADED;

    names->clear();
    m_apColumnBuffer.clear();
    for (int i = 0; i < columnCount; ++i) {
        const ub4 nPosition = static_cast<ub4>(i) + 1;
        OCIParam* pParam = nullptr;
        sword status = m_oci.m_pfnOCIParamGet(m_pQuery, OCI_HTYPE_STMT, m_pError,
                                              reinterpret_cast<dvoid**>(&pParam), nPosition);
        if (status != OCI_SUCCESS)
            return MapOciStatus(status);

        OraText* pName = nullptr;
        ub4 nNameLength = 0;
        // Clients write two or four bytes of the size: read into a zeroed four.
        ub4 nDisplaySize = 0;
        status = m_oci.m_pfnOCIAttrGet(pParam, OCI_DTYPE_PARAM, &pName, &nNameLength,
                                       OCI_ATTR_NAME, m_pError);
        if (status == OCI_SUCCESS)
            status = m_oci.m_pfnOCIAttrGet(pParam, OCI_DTYPE_PARAM, &nDisplaySize, nullptr,
                                           OCI_ATTR_DISP_SIZE, m_pError);
        if (status == OCI_SUCCESS)
            names->push_back(pName ? std::string(reinterpret_cast<const char*>(pName), nNameLength)
                                   : std::string());
        if (m_oci.m_pfnOCIDescriptorFree)
            m_oci.m_pfnOCIDescriptorFree(pParam, OCI_DTYPE_PARAM);
        if (status != OCI_SUCCESS)
            return MapOciStatus(status);

        if (i >= kMaxColumns)
            return SR_ERROR;

        // The display size counts the database's bytes; a value converted to
        // the client's character set can take up to its widest character
        // per character.
        const sb4 nBufferSize = static_cast<sb4>(std::min<ub4>(nDisplaySize, 0xFFFF)) * m_nClientCharBytes + 1;
        char* pBuffer = new (std::nothrow) char[nBufferSize]();
        if (!pBuffer)
            return SR_ERROR;
        m_apColumnBuffer.emplace_back(pBuffer);

        m_apDefine[i] = nullptr;
        status = m_oci.m_pfnOCIDefineByPos(m_pQuery, &m_apDefine[i], m_pError, nPosition, pBuffer,
                                           nBufferSize, SQLT_STR, &m_anIndicator[i], nullptr,
                                           nullptr, OCI_DEFAULT);
        if (status != OCI_SUCCESS)
            return MapOciStatus(status);
    }
    return SR_SUCCESS;
}

SessionResult OracleSession::FetchRow(int columnCount, std::vector<std::string>* values)
{
    if (!m_bConnected)
        return SR_NOT_CONNECTED;
    if (!m_oci.IsLoaded())
        return SR_NOT_LOADED;

    // More columns than have buffers would read past them.
    const SessionResult result =
        columnCount > static_cast<int>(m_apColumnBuffer.size())
            ? SR_ERROR
            : MapOciStatus(m_oci.m_pfnOCIStmtFetch(m_pQuery, m_pError, 1, OCI_FETCH_NEXT, OCI_DEFAULT));
    if (result != SR_SUCCESS) {
        values->clear();
        return result;
    }
    // The previous row's strings are reused, so a row allocates nothing once
    // they have grown.
    values->resize(static_cast<std::size_t>(std::max(columnCount, 0)));
    for (int i = 0; i < columnCount; ++i)
        (*values)[static_cast<std::size_t>(i)].assign(m_anIndicator[i] == -1 ? "NULL"
                                                                              : m_apColumnBuffer[i].get());
    return SR_SUCCESS;
}

SessionResult OracleSession::CloseStatement()
{
    if (!m_bConnected)
        return SR_NOT_CONNECTED;
    if (!m_oci.IsLoaded())
        return SR_NOT_LOADED;

    sword status = OCI_SUCCESS;
    if (m_pQuery) {
        status = m_oci.m_pfnOCIHandleFree(m_pQuery, OCI_HTYPE_STMT);
        m_pQuery = nullptr;
    }
    m_apColumnBuffer.clear();
    return MapOciStatus(status);
}

std::string OracleSession::FirstErrorText()
{
    char buffer[4096] = {};
    sb4 nCode = 0;
    m_oci.m_pfnOCIErrorGet(m_pError, 1, nullptr, &nCode, reinterpret_cast<OraText*>(buffer),
                           sizeof buffer, OCI_HTYPE_ERROR);
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

SessionResult OracleSession::GetErrorText(char* buffer, int bufferSize, int* errorCode)
{
    if (!buffer || bufferSize <= 0)
        return SR_ERROR;
    if (!m_oci.IsLoaded()) {
        // Always leave a terminating zero, however small the buffer.
        const size_t nSize = static_cast<size_t>(bufferSize);
        const size_t nCopy = std::min(std::strlen(kNotLoadedText), nSize - 1);
        std::memcpy(buffer, kNotLoadedText, nCopy);
        std::memset(buffer + nCopy, 0, nSize - nCopy);
        return SR_SUCCESS;
    }
    return MapOciStatus(m_oci.m_pfnOCIErrorGet(m_pError, 1, nullptr, errorCode,
                                               reinterpret_cast<OraText*>(buffer),
                                               static_cast<ub4>(bufferSize), OCI_HTYPE_ERROR));
}
