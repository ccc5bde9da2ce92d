#pragma once

#include <string>

namespace platform {

// Loads a shared library. A file name without '/' goes through the normal
// library search path. Returns the module handle, or nullptr when the file
// cannot be loaded.
void* LoadSharedLibrary(const std::string& strFile);

// The address of an exported symbol of a loaded module, or nullptr.
void* FindSharedSymbol(void* pModule, const char* pszName);

// Releases a module from LoadSharedLibrary; nullptr is ignored.
void FreeSharedLibrary(void* pModule);

}  // namespace platform
