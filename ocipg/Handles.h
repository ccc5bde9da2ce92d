#pragma once

// The handles an OCI caller holds. Every live handle is registered, so that a
// null, freed or wrong-typed handle is refused instead of followed.

#include "oci/oci_api.h"
#include "ocipg/ClientEncoding.h"
#include "ocipg/ConnectString.h"
#include "ocipg/Errors.h"

#include <memory>
#include <string>
#include <vector>

namespace ocipg {

class Connection;
struct Env;

struct Handle {
    Handle(ub4 type, Env* pEnv);
    virtual ~Handle();
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    // The caller's extra memory of OCIEnvInit and OCIHandleAlloc.
    void* AllocateUserMemory(size_t size);

    const ub4 m_nType;
    Env* const m_pEnv;  // the environment it belongs to; null for an environment

private:
    std::unique_ptr<char[]> m_pUserMemory;
};

// The live handle p points to, or null.
Handle* FindHandle(const void* p);

template <class T>
T* Find(const void* p)
{
    Handle* handle = FindHandle(p);
    return handle && handle->m_nType == T::kType ? static_cast<T*>(handle) : nullptr;
}

struct Session;

struct Env : Handle {
    static constexpr ub4 kType = OCI_HTYPE_ENV;
    Env();
    ~Env() override;

    // The handles and descriptors allocated from it, freed with it (last
    // allocated first).
    Handle* Adopt(std::unique_ptr<Handle> child);
    void Release(Handle* child);

    ErrorRecord m_error;
    // Read from NLS_LANG when the environment is made, as Oracle's client does.
    const ClientCharset m_charset;

private:
    std::vector<std::unique_ptr<Handle>> m_children;
};

struct Error : Handle {
    static constexpr ub4 kType = OCI_HTYPE_ERROR;
    explicit Error(Env* pEnv) : Handle(kType, pEnv) {}
    ErrorRecord m_record;
};

struct Server : Handle {
    static constexpr ub4 kType = OCI_HTYPE_SERVER;
    explicit Server(Env* pEnv) : Handle(kType, pEnv) {}
    bool m_bAttached = false;
    ConnectTarget m_target;
};

struct SvcCtx : Handle {
    static constexpr ub4 kType = OCI_HTYPE_SVCCTX;
    explicit SvcCtx(Env* pEnv) : Handle(kType, pEnv) {}
    // Looked up again at each use: the caller may free them first.
    const void* m_pServer = nullptr;
    const void* m_pSession = nullptr;
};

struct Session : Handle {
    static constexpr ub4 kType = OCI_HTYPE_SESSION;
    explicit Session(Env* pEnv) : Handle(kType, pEnv) {}
    ~Session() override;
    std::string m_strUser;
    std::string m_strPassword;
    std::shared_ptr<Connection> m_pConnection;  // while logged on
};

}  // namespace ocipg
