// The OCI entry points: each checks its handles through the registry, clears
// the error handle's record, and hands over to the handle's own code. Nothing
// thrown inside crosses this boundary.

#pragma GCC visibility push(default)
#include "oci/oci_api.h"
#pragma GCC visibility pop

#include "ocipg/Ascii7.h"
#include "ocipg/CallGuard.h"
#include "ocipg/Connection.h"
#include "ocipg/Handles.h"
#include "ocipg/Listener.h"
#include "ocipg/Statement.h"

#include <pwd.h>
#include <unistd.h>

#include <cstring>

using namespace ocipg;

namespace {

// As long as the logon's own connect timeout.
constexpr int kListenerTimeoutSeconds = 10;

// The record of a valid error handle, cleared for the new call; null when
// the handle is not one.
ErrorRecord* Begin(OCIError* errhp)
{
    Error* error = Find<Error>(errhp);
    if (!error)
        return nullptr;
    error->m_record.Clear();
    return &error->m_record;
}

// Where Guard records an exception: the record of a valid error handle.
ErrorRecord* RecordOf(OCIError* errhp) noexcept
{
    try {
        Error* error = Find<Error>(errhp);
        return error ? &error->m_record : nullptr;
    } catch (...) {
        return nullptr;
    }
}

void* Out(Handle* handle) { return handle; }

std::shared_ptr<Connection> SessionConnection(const void* session)
{
    const Session* found = Find<Session>(session);
    return found ? found->m_pConnection : nullptr;
}

// Oracle folds an unquoted user name; PostgreSQL's roles fold to lower case.
std::string RoleName(const std::string& user)
{
    if (user.size() >= 2 && user.front() == '"' && user.back() == '"')
        return user.substr(1, user.size() - 2);
    std::string role = user;
    for (char& c : role)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return role;
}

sword AttrGetParam(const Param& param, void* attributep, ub4* sizep, ub4 attrtype, ErrorRecord& error)
{
    auto put = [&](ub2 value) {
        std::memcpy(attributep, &value, sizeof value);
        if (sizep)
            *sizep = sizeof value;
        return OCI_SUCCESS;
    };
    if (!attributep)
        return OCI_ERROR;
    switch (attrtype) {
    case OCI_ATTR_NAME: {
        const OraText* name = reinterpret_cast<const OraText*>(param.m_column.m_strName.c_str());
        std::memcpy(attributep, &name, sizeof name);
        if (sizep)
            *sizep = static_cast<ub4>(param.m_column.m_strName.size());
        return OCI_SUCCESS;
    }
    case OCI_ATTR_DISP_SIZE:
        return put(param.m_column.m_nDisplaySize);
    case OCI_ATTR_DATA_TYPE:
        return put(param.m_column.m_nDataType);
    case OCI_ATTR_DATA_SIZE:
        return put(param.m_column.m_nDataSize);
    default:
        error.Set(kOraBadAttribute);
        return OCI_ERROR;
    }
}

}  // namespace

sword OCIInitialize(ub4, dvoid*, dvoid* (*)(dvoid*, size_t), dvoid* (*)(dvoid*, dvoid*, size_t),
                    void (*)(dvoid*, dvoid*))
{
    return OCI_SUCCESS;
}

sword OCIEnvInit(OCIEnv** envp, ub4, size_t xtramem_sz, dvoid** usrmempp)
{
    return Guard(nullptr, [&]() -> sword {
        if (!envp)
            return OCI_INVALID_HANDLE;
        auto env = std::make_unique<Env>();
        if (xtramem_sz && usrmempp)
            *usrmempp = env->AllocateUserMemory(xtramem_sz);
        *envp = static_cast<OCIEnv*>(Out(env.release()));
        return OCI_SUCCESS;
    });
}

sword OCIHandleAlloc(const dvoid* parenth, dvoid** hndlpp, const ub4 type, const size_t xtramem_sz,
                     dvoid** usrmempp)
{
    return Guard(nullptr, [&]() -> sword {
        Env* env = Find<Env>(parenth);
        if (!env || !hndlpp)
            return OCI_INVALID_HANDLE;
        std::unique_ptr<Handle> handle;
        switch (type) {
        case OCI_HTYPE_ERROR: handle = std::make_unique<Error>(env); break;
        case OCI_HTYPE_SERVER: handle = std::make_unique<Server>(env); break;
        case OCI_HTYPE_SVCCTX: handle = std::make_unique<SvcCtx>(env); break;
        case OCI_HTYPE_SESSION: handle = std::make_unique<Session>(env); break;
        case OCI_HTYPE_STMT: handle = std::make_unique<Statement>(env); break;
        default: return OCI_INVALID_HANDLE;
        }
        if (xtramem_sz && usrmempp)
            *usrmempp = handle->AllocateUserMemory(xtramem_sz);
        *hndlpp = Out(env->Adopt(std::move(handle)));
        return OCI_SUCCESS;
    });
}

sword OCIDescriptorFree(void* descp, const ub4 type)
{
    return Guard(nullptr, [&]() -> sword {
        Handle* handle = FindHandle(descp);
        if (!handle || handle->m_nType != type || type != OCI_DTYPE_PARAM)
            return OCI_INVALID_HANDLE;
        handle->m_pEnv->Release(handle);
        return OCI_SUCCESS;
    });
}

sword OCIHandleFree(dvoid* hndlp, const ub4 type)
{
    return Guard(nullptr, [&]() -> sword {
        Handle* handle = FindHandle(hndlp);
        if (!handle || handle->m_nType != type)
            return OCI_INVALID_HANDLE;
        switch (type) {
        case OCI_HTYPE_ENV:
            delete static_cast<Env*>(handle);
            return OCI_SUCCESS;
        case OCI_HTYPE_ERROR:
        case OCI_HTYPE_SERVER:
        case OCI_HTYPE_SVCCTX:
        case OCI_HTYPE_SESSION:
        case OCI_HTYPE_STMT:
            handle->m_pEnv->Release(handle);
            return OCI_SUCCESS;
        default:
            return OCI_INVALID_HANDLE;  // defines, binds: freed with their statement
        }
    });
}

sword OCIServerAttach(OCIServer* srvhp, OCIError* errhp, const OraText* dblink, sb4 dblink_len, ub4)
{
    return Guard(RecordOf(errhp), [&]() -> sword {
        Server* server = Find<Server>(srvhp);
        ErrorRecord* error = Begin(errhp);
        if (!server || !error)
            return OCI_INVALID_HANDLE;
        if (server->m_bAttached) {
            error->Set(kOraAlreadyAttached);
            return OCI_ERROR;
        }
        const std::string_view text(dblink ? reinterpret_cast<const char*>(dblink) : "",
                                    dblink && dblink_len > 0 ? static_cast<size_t>(dblink_len) : 0);
        std::vector<ConnectTarget> targets;
        if (const sb4 code = ResolveConnectString(text, targets)) {
            error->Set(code);
            return OCI_ERROR;
        }
        for (const ConnectTarget& target : targets) {
            if (Listening(target, kListenerTimeoutSeconds)) {
                server->m_target = target;
                server->m_bAttached = true;
                return OCI_SUCCESS;
            }
        }
        error->Set(kOraNoListener);
        return OCI_ERROR;
    });
}

sword OCIServerDetach(OCIServer* srvhp, OCIError* errhp, ub4)
{
    return Guard(RecordOf(errhp), [&]() -> sword {
        Server* server = Find<Server>(srvhp);
        ErrorRecord* error = Begin(errhp);
        if (!server || !error)
            return OCI_INVALID_HANDLE;
        if (!server->m_bAttached) {
            error->Set(kOraNotConnected);
            return OCI_ERROR;
        }
        server->m_bAttached = false;
        return OCI_SUCCESS;
    });
}

sword OCIAttrSet(dvoid* trgthndlp, ub4 trghndltyp, dvoid* attributep, ub4 size, ub4 attrtype, OCIError* errhp)
{
    return Guard(RecordOf(errhp), [&]() -> sword {
        Handle* handle = FindHandle(trgthndlp);
        ErrorRecord* error = Begin(errhp);
        if (!handle || handle->m_nType != trghndltyp || !error)
            return OCI_INVALID_HANDLE;
        if (trghndltyp == OCI_HTYPE_SVCCTX && attrtype == OCI_ATTR_SERVER) {
            if (!Find<Server>(attributep))
                return OCI_INVALID_HANDLE;
            static_cast<SvcCtx*>(handle)->m_pServer = attributep;
            return OCI_SUCCESS;
        }
        if (trghndltyp == OCI_HTYPE_SVCCTX && attrtype == OCI_ATTR_SESSION) {
            if (!Find<Session>(attributep))
                return OCI_INVALID_HANDLE;
            static_cast<SvcCtx*>(handle)->m_pSession = attributep;
            return OCI_SUCCESS;
        }
        if (trghndltyp == OCI_HTYPE_SESSION && (attrtype == OCI_ATTR_USERNAME || attrtype == OCI_ATTR_PASSWORD)) {
            Session* session = static_cast<Session*>(handle);
            const std::string value(attributep ? static_cast<const char*>(attributep) : "", attributep ? size : 0);
            (attrtype == OCI_ATTR_USERNAME ? session->m_strUser : session->m_strPassword) = value;
            return OCI_SUCCESS;
        }
        if (trghndltyp == OCI_HTYPE_STMT)
            return static_cast<Statement*>(handle)->AttrSet(attributep, attrtype, *error);
        error->Set(kOraBadAttribute);
        return OCI_ERROR;
    });
}

sword OCIAttrGet(const dvoid* trgthndlp, ub4 trghndltyp, dvoid* attributep, ub4* sizep, ub4 attrtype,
                 OCIError* errhp)
{
    return Guard(RecordOf(errhp), [&]() -> sword {
        Handle* handle = FindHandle(trgthndlp);
        ErrorRecord* error = Begin(errhp);
        if (!handle || handle->m_nType != trghndltyp || !error)
            return OCI_INVALID_HANDLE;
        if (trghndltyp == OCI_HTYPE_STMT)
            return static_cast<const Statement*>(handle)->AttrGet(attributep, sizep, attrtype, *error);
        if (trghndltyp == OCI_DTYPE_PARAM)
            return AttrGetParam(*static_cast<const Param*>(handle), attributep, sizep, attrtype, *error);
        error->Set(kOraBadAttribute);
        return OCI_ERROR;
    });
}

sword OCIBindByPos(OCIStmt* stmtp, OCIBind** bindp, OCIError* errhp, ub4 position, dvoid* valuep, sb4 value_sz,
                   ub2 dty, dvoid* indp, ub2* alenp, ub2*, ub4, ub4*, ub4)
{
    return Guard(RecordOf(errhp), [&]() -> sword {
        Statement* statement = Find<Statement>(stmtp);
        ErrorRecord* error = Begin(errhp);
        if (!statement || !error)
            return OCI_INVALID_HANDLE;
        return statement->BindByPos(bindp, position, valuep, value_sz, dty, indp, alenp, *error);
    });
}

sword OCISessionBegin(OCISvcCtx* svchp, OCIError* errhp, OCISession* usrhp, ub4 credt, ub4 mode)
{
    return Guard(RecordOf(errhp), [&]() -> sword {
        SvcCtx* svc = Find<SvcCtx>(svchp);
        Session* session = Find<Session>(usrhp);
        ErrorRecord* error = Begin(errhp);
        if (!svc || !session || !error)
            return OCI_INVALID_HANDLE;
        const Server* server = Find<Server>(svc->m_pServer);
        if (!server || !server->m_bAttached) {
            error->Set(kOraNotConnected);
            return OCI_ERROR;
        }
        if (session->m_pConnection) {
            error->Set(kOraAlreadyAuthenticated);
            return OCI_ERROR;
        }
        if ((mode & ~static_cast<ub4>(OCI_SYSDBA | OCI_SYSOPER)) || (credt != OCI_CRED_RDBMS && credt != OCI_CRED_EXT)) {
            error->Set(kOraBadMode);
            return OCI_ERROR;
        }
        const ClientCharset& charset = session->m_pEnv->m_charset;
        if (!charset.Valid()) {
            error->Set(kOraNlsEnvironment);
            return OCI_ERROR;
        }
        std::string role;
        std::string password;
        if (credt == OCI_CRED_EXT) {
            // The operating-system account, by peer authentication.
            const passwd* account = getpwuid(geteuid());
            role = account ? account->pw_name : "";
        } else {
            if (session->m_strPassword.empty()) {
                error->Set(kOraNullPassword);
                return OCI_ERROR;
            }
            role = RoleName(session->m_strUser);
            password = session->m_strPassword;
        }
        if (role.empty()) {
            error->Set(kOraInvalidLogon);
            return OCI_ERROR;
        }
        std::shared_ptr<Connection> conn = Connection::Open(server->m_target, role, password, charset, *error);
        if (!conn)
            return OCI_ERROR;
        if ((mode & (OCI_SYSDBA | OCI_SYSOPER)) && !conn->Superuser()) {
            error->Set(kOraNoPrivilege);
            return OCI_ERROR;
        }
        const std::string setup = conn->SessionDictionary().SetupSql();
        if (!setup.empty() && !conn->RunScript(setup, *error))
            return OCI_ERROR;
        session->m_pConnection = conn;
        svc->m_pSession = Out(session);
        if (const int days = conn->PasswordDaysLeft()) {
            // Logged on all the same, as in Oracle's grace period.
            error->Set(kOraPasswordWillExpire, std::to_string(days));
            return OCI_SUCCESS_WITH_INFO;
        }
        return OCI_SUCCESS;
    });
}

sword OCISessionEnd(OCISvcCtx* svchp, OCIError* errhp, OCISession* usrhp, ub4)
{
    return Guard(RecordOf(errhp), [&]() -> sword {
        SvcCtx* svc = Find<SvcCtx>(svchp);
        ErrorRecord* error = Begin(errhp);
        Session* session = usrhp ? Find<Session>(usrhp) : (svc ? Find<Session>(svc->m_pSession) : nullptr);
        if (!svc || !error || !session)
            return OCI_INVALID_HANDLE;
        if (!session->m_pConnection) {
            error->Set(kOraNotConnected);
            return OCI_ERROR;
        }
        session->m_pConnection->End();
        session->m_pConnection.reset();
        return OCI_SUCCESS;
    });
}

sword OCIStmtPrepare(OCIStmt* stmtp, OCIError* errhp, const OraText* stmt, ub4 stmt_len, ub4, ub4)
{
    return Guard(RecordOf(errhp), [&]() -> sword {
        Statement* statement = Find<Statement>(stmtp);
        ErrorRecord* error = Begin(errhp);
        if (!statement || !error)
            return OCI_INVALID_HANDLE;
        const std::string_view given(stmt ? reinterpret_cast<const char*>(stmt) : "", stmt ? stmt_len : 0);
        // No character of US7ASCII is above 127.
        const std::string text = statement->m_pEnv->m_charset.m_bAscii7 ? Ascii7FromProgram(given) : std::string(given);
        return statement->Prepare(text, *error);
    });
}

sword OCIStmtExecute(OCISvcCtx* svchp, OCIStmt* stmtp, OCIError* errhp, ub4 iters, ub4 rowoff,
                     const OCISnapshot*, OCISnapshot*, ub4 mode)
{
    return Guard(RecordOf(errhp), [&]() -> sword {
        SvcCtx* svc = Find<SvcCtx>(svchp);
        Statement* statement = Find<Statement>(stmtp);
        ErrorRecord* error = Begin(errhp);
        if (!svc || !statement || !error)
            return OCI_INVALID_HANDLE;
        return statement->Execute(SessionConnection(svc->m_pSession), iters, rowoff, mode, *error);
    });
}

sword OCIStmtFetch(OCIStmt* stmtp, OCIError* errhp, ub4 nrows, ub2 orientation, ub4)
{
    return Guard(RecordOf(errhp), [&]() -> sword {
        Statement* statement = Find<Statement>(stmtp);
        ErrorRecord* error = Begin(errhp);
        if (!statement || !error)
            return OCI_INVALID_HANDLE;
        return statement->Fetch(nrows, orientation, *error);
    });
}

sword OCIDefineByPos(OCIStmt* stmtp, OCIDefine** defnp, OCIError* errhp, ub4 position, dvoid* valuep,
                     sb4 value_sz, ub2 dty, dvoid* indp, ub2* rlenp, ub2* rcodep, ub4)
{
    return Guard(RecordOf(errhp), [&]() -> sword {
        Statement* statement = Find<Statement>(stmtp);
        ErrorRecord* error = Begin(errhp);
        if (!statement || !error)
            return OCI_INVALID_HANDLE;
        return statement->DefineByPos(defnp, position, valuep, value_sz, dty, indp, rlenp, rcodep, *error);
    });
}

sword OCIErrorGet(dvoid* hndlp, ub4 recordno, OraText*, sb4* errcodep, OraText* bufp, ub4 bufsiz, ub4 type)
{
    return Guard(nullptr, [&]() -> sword {
        const ErrorRecord* record = nullptr;
        if (type == OCI_HTYPE_ERROR) {
            if (const Error* error = Find<Error>(hndlp))
                record = &error->m_record;
        } else if (type == OCI_HTYPE_ENV) {
            if (const Env* env = Find<Env>(hndlp))
                record = &env->m_error;
        }
        if (!record)
            return OCI_INVALID_HANDLE;
        if (recordno != 1 || record->Empty())
            return OCI_NO_DATA;
        if (errcodep)
            *errcodep = record->m_nCode;
        if (bufp && bufsiz > 0) {
            const size_t length = std::min<size_t>(record->m_strText.size(), bufsiz - 1);
            std::memcpy(bufp, record->m_strText.data(), length);
            bufp[length] = '\0';
        }
        return OCI_SUCCESS;
    });
}

sword OCIParamGet(const dvoid* hndlp, ub4 htype, OCIError* errhp, dvoid** parmdpp, ub4 pos)
{
    return Guard(RecordOf(errhp), [&]() -> sword {
        Statement* statement = htype == OCI_HTYPE_STMT ? Find<Statement>(hndlp) : nullptr;
        ErrorRecord* error = Begin(errhp);
        if (!statement || !error)
            return OCI_INVALID_HANDLE;
        return statement->ParamGet(pos, parmdpp, *error);
    });
}

// Handles stay the caller's to free: another user of the library in the
// same process may still hold its own.
sword OCITerminate(ub4)
{
    return OCI_SUCCESS;
}
