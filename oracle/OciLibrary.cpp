#include "oracle/OciLibrary.h"

#include "platform/SharedLibrary.h"

#include <cstdlib>
#include <tuple>
#include <type_traits>

namespace {

template <typename Fn>
struct EntryPoint {
    const char* m_pszName;
    Fn OciLibrary::*m_pSlot;
};

// The order of lookup decides which name a library lacking several is
// reported by.
const auto kEntryPoints = std::tuple{
    EntryPoint{"OCIInitialize", &OciLibrary::m_pfnOCIInitialize},
    EntryPoint{"OCIEnvInit", &OciLibrary::m_pfnOCIEnvInit},
    EntryPoint{"OCIHandleAlloc", &OciLibrary::m_pfnOCIHandleAlloc},
    EntryPoint{"OCIServerAttach", &OciLibrary::m_pfnOCIServerAttach},
    EntryPoint{"OCIAttrSet", &OciLibrary::m_pfnOCIAttrSet},
    EntryPoint{"OCIAttrGet", &OciLibrary::m_pfnOCIAttrGet},
    EntryPoint{"OCIBindByPos", &OciLibrary::m_pfnOCIBindByPos},
    EntryPoint{"OCIHandleFree", &OciLibrary::m_pfnOCIHandleFree},
    EntryPoint{"OCISessionBegin", &OciLibrary::m_pfnOCISessionBegin},
    EntryPoint{"OCISessionEnd", &OciLibrary::m_pfnOCISessionEnd},
    EntryPoint{"OCIStmtExecute", &OciLibrary::m_pfnOCIStmtExecute},
    EntryPoint{"OCIStmtPrepare", &OciLibrary::m_pfnOCIStmtPrepare},
    EntryPoint{"OCIStmtFetch", &OciLibrary::m_pfnOCIStmtFetch},
    EntryPoint{"OCIDefineByPos", &OciLibrary::m_pfnOCIDefineByPos},
    EntryPoint{"OCIErrorGet", &OciLibrary::m_pfnOCIErrorGet},
    EntryPoint{"OCIParamGet", &OciLibrary::m_pfnOCIParamGet},
    EntryPoint{"OCIServerDetach", &OciLibrary::m_pfnOCIServerDetach},
    EntryPoint{"OCITerminate", &OciLibrary::m_pfnOCITerminate},
};

}  // namespace

std::vector<std::string> OciLibraryFiles()
{
    if (const char* pszFile = std::getenv("LUMIDEX_OCI_LIBRARY"))
        return {pszFile};
    std::vector<std::string> files{"libclntsh.so"};
    if (const char* pszHome = std::getenv("ORACLE_HOME"); pszHome && *pszHome)
        files.push_back(std::string(pszHome) + "/lib/libclntsh.so");
    return files;
}

bool OciLibrary::Open()
{
    for (const std::string& strFile : OciLibraryFiles()) {
        m_pModule = platform::LoadSharedLibrary(strFile);
        if (m_pModule)
            return true;
    }
    return false;
}

const char* OciLibrary::ResolveEntryPoints()
{
    const char* pszMissing = nullptr;
    auto resolve = [&](const auto& entry) {
        void* pSymbol = platform::FindSharedSymbol(m_pModule, entry.m_pszName);
        if (!pSymbol) {
            pszMissing = entry.m_pszName;
            return false;
        }
        using Fn = std::remove_reference_t<decltype(this->*entry.m_pSlot)>;
        this->*entry.m_pSlot = reinterpret_cast<Fn>(pSymbol);
        return true;
    };
    std::apply([&](const auto&... entries) { (void)(resolve(entries) && ...); }, kEntryPoints);
    return pszMissing;
}

void OciLibrary::Close()
{
    platform::FreeSharedLibrary(m_pModule);
    *this = OciLibrary{};
}
