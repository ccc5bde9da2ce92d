// Loading the OCI client: a library that is missing or lacks an entry point
// is refused with one message, and the program runs on without a database.
#include "oracle/OracleSession.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>

namespace {

using testfixture::MessageRecorder;
using testfixture::ScopedEnv;

bool IsModuleLoaded(const std::string& strFile)
{
    void* pModule = dlopen(strFile.c_str(), RTLD_NOW | RTLD_NOLOAD);
    return pModule && dlclose(pModule) == 0;
}

TEST(OciLoader, RejectsAnIncompleteLibraryWithOneMessage)
{
    const std::pair<const char*, const char*> rejected[] = {
        {"/nonexistent/libclntsh.so", "Failed to load oci.dll!\nHave you installed the Oracle client?"},
        {FAKEOCI_NO_INITIALIZE, "Failed to find OCIInitialize(...)in oci.dll!"},
        {FAKEOCI_NO_TERMINATE, "Failed to find OCITerminate(...)in oci.dll!"},
        // Lacks OCIBindByPos, which nothing calls, and OCIStmtFetch: the first in lookup order is named, once.
        {FAKEOCI_NO_SEVERAL, "Failed to find OCIBindByPos(...)in oci.dll!"},
    };
    for (const auto& [pszFile, pszMessage] : rejected) {
        SCOPED_TRACE(pszFile);
        ScopedEnv file("LUMIDEX_OCI_LIBRARY", pszFile);
        MessageRecorder messages;
        OracleSession session;
        EXPECT_EQ(messages.m_texts, std::vector<std::string>{pszMessage});
        EXPECT_FALSE(IsModuleLoaded(pszFile));

        EXPECT_EQ(session.Connect("LUMIDEX", 7, "hr", 2, "hr", 2, 0), SR_NOT_LOADED);
        int outputs[] = {5, 5, 5};  // query, columns, rows
        EXPECT_EQ(session.Execute("SELECT 1", 8, &outputs[0], &outputs[1], &outputs[2]), SR_NOT_CONNECTED);
        EXPECT_EQ(outputs[0] + outputs[1] + outputs[2], 0);
        EXPECT_EQ(session.CloseStatement(), SR_NOT_CONNECTED);
        char buffer[100];
        int errorCode = 77;
        EXPECT_EQ(session.GetErrorText(buffer, sizeof buffer, &errorCode), SR_SUCCESS);
        EXPECT_STREQ(buffer, "You are not connected to database!\nOci.dll is not loaded!");
        EXPECT_EQ(errorCode, 77);
        // Cut to a small buffer, still terminated.
        EXPECT_EQ(session.GetErrorText(buffer, 10, &errorCode), SR_SUCCESS);
        EXPECT_STREQ(buffer, "You are n");
    }
}

// Oracle's client packages ship the library under a versioned name only.
TEST(OciLoader, FindsTheClientUnderOracleHome)
{
    if (IsModuleLoaded("libclntsh.so") || dlopen("libclntsh.so", RTLD_NOW))
        GTEST_SKIP() << "an Oracle client is on the library path";
    ScopedEnv library("LUMIDEX_OCI_LIBRARY", std::nullopt);
    for (const char* pszName : {"libclntsh.so", "libclntsh.so.19.1"}) {
        SCOPED_TRACE(pszName);
        TempFolder home;
        ScopedEnv oracleHome("ORACLE_HOME", home.Path(""));
        const std::string file = home.Path(std::string("lib/") + pszName);
        std::filesystem::create_directories(home.Path("lib"));
        std::filesystem::create_symlink(FAKEOCI_COMPLETE, file);
        MessageRecorder messages;
        {
            OracleSession session;
            EXPECT_TRUE(messages.m_texts.empty());
            EXPECT_TRUE(IsModuleLoaded(file));
            EXPECT_EQ(session.Connect("LUMIDEX", 7, "hr", 2, "hr", 2, 0), SR_SUCCESS);
        }
        // The destructor logs off and releases the library.
        EXPECT_FALSE(IsModuleLoaded(file));
    }
}

}  // namespace
