#include "platform/SharedLibrary.h"

#include <dlfcn.h>

namespace platform {

void* LoadSharedLibrary(const std::string& strFile)
{
    // Resolve everything now, so that a broken library fails here and not at
    // its first call; keep its symbols to itself.
    return dlopen(strFile.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* FindSharedSymbol(void* pModule, const char* pszName)
{
    return pModule ? dlsym(pModule, pszName) : nullptr;
}

void FreeSharedLibrary(void* pModule)
{
    if (pModule)
        dlclose(pModule);
}

}  // namespace platform
