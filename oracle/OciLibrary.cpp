#include "oracle/OciLibrary.h"

#include "platform/SharedLibrary.h"

#include <cstdlib>
#include <iterator>
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

// Oracle's client packages ship the library under its version's name; the
// bare name exists only where a link to it was made.
constexpr const char* kClientFiles[] = {
    "libclntsh.so",      "libclntsh.so.23.1", "libclntsh.so.21.1", "libclntsh.so.19.1",
    "libclntsh.so.18.1", "libclntsh.so.12.1", "libclntsh.so.11.1",
};

}  // namespace

std::vector<std::string> OciLibraryFiles()
{
    if (const char* pszFile = std::getenv("LUMIDEX_OCI_LIBRARY"))
        return {pszFile};
    std::vector<std::string> files(std::begin(kClientFiles), std::end(kClientFiles));
    if (const char* pszHome = std::getenv("ORACLE_HOME"); pszHome && *pszHome) {
        for (const char* pszFile : kClientFiles)
            files.push_back(std::string(pszHome) + "/lib/" + pszFile);
    }
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
    if (!pszMissing)
        m_pfnOCIDescriptorFree = reinterpret_cast<decltype(m_pfnOCIDescriptorFree)>(
            platform::FindSharedSymbol(m_pModule, "OCIDescriptorFree"));
    return pszMissing;
}

void OciLibrary::Close()
{
    platform::FreeSharedLibrary(m_pModule);
    *this = OciLibrary{};
}
