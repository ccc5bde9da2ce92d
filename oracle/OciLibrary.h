#pragma once

#include "oci/oci_api.h"

#include <string>
#include <vector>

// The OCI client library, loaded at run time, and its entry points resolved by
// name: the program links against no client library, so Oracle's own client
// and libocipg stand behind it alike. The pointers are declared in the order
// in which they are looked up.
struct OciLibrary {
    void* m_pModule = nullptr;

    decltype(&::OCIInitialize) m_pfnOCIInitialize = nullptr;
    decltype(&::OCIEnvInit) m_pfnOCIEnvInit = nullptr;
    decltype(&::OCIHandleAlloc) m_pfnOCIHandleAlloc = nullptr;
    decltype(&::OCIServerAttach) m_pfnOCIServerAttach = nullptr;
    decltype(&::OCIAttrSet) m_pfnOCIAttrSet = nullptr;
    decltype(&::OCIAttrGet) m_pfnOCIAttrGet = nullptr;
    decltype(&::OCIBindByPos) m_pfnOCIBindByPos = nullptr;
    decltype(&::OCIHandleFree) m_pfnOCIHandleFree = nullptr;
    decltype(&::OCISessionBegin) m_pfnOCISessionBegin = nullptr;
    decltype(&::OCISessionEnd) m_pfnOCISessionEnd = nullptr;
    decltype(&::OCIStmtExecute) m_pfnOCIStmtExecute = nullptr;
    decltype(&::OCIStmtPrepare) m_pfnOCIStmtPrepare = nullptr;
    decltype(&::OCIStmtFetch) m_pfnOCIStmtFetch = nullptr;
    decltype(&::OCIDefineByPos) m_pfnOCIDefineByPos = nullptr;
    decltype(&::OCIErrorGet) m_pfnOCIErrorGet = nullptr;
    decltype(&::OCIParamGet) m_pfnOCIParamGet = nullptr;
    decltype(&::OCIServerDetach) m_pfnOCIServerDetach = nullptr;
    decltype(&::OCITerminate) m_pfnOCITerminate = nullptr;
    // Optional: without it descriptors are left to their environment.
    decltype(&::OCIDescriptorFree) m_pfnOCIDescriptorFree = nullptr;

    bool IsLoaded() const { return m_pModule != nullptr; }

    // Loads the first of OciLibraryFiles() that loads. False when none does.
    bool Open();

    // Looks up the entry points in declaration order and stops at the first
    // one missing; returns its name, or nullptr when all were found. The
    // optional ones are looked up after and missed by no one.
    const char* ResolveEntryPoints();

    // Releases the module and forgets every entry point.
    void Close();
};

// The files tried for the client library, in turn: $LUMIDEX_OCI_LIBRARY alone
// when set; else libclntsh.so and its versioned names, newest first, through
// the library search path, then the same names in $ORACLE_HOME/lib when
// ORACLE_HOME is set.
std::vector<std::string> OciLibraryFiles();
