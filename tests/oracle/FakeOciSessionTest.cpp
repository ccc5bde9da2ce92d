// Session behaviour that needs a client no server here can drive: a query of
// 4097 columns, the client's live handles, how often it is set up and torn down.
#include "oracle/OracleSession.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

// A logon's five handles outlive a failed one, for its error text; a query adds one, each column's descriptor
// is freed once read. The client is torn down once, when the library is released, never at a logoff.
TEST(FakeOciSession, ColumnsHandlesAndClientFollowTheLogons)
{
    testfixture::ScopedEnv library("LUMIDEX_OCI_LIBRARY", FAKEOCI_COMPLETE);
    auto pSession = std::make_unique<OracleSession>();
    // Keeps the client loaded, and its counts, past the session.
    void* pModule = dlopen(FAKEOCI_COMPLETE, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_TRUE(pModule);
    const auto count = [&](const char* pszName) { return *static_cast<int*>(dlsym(pModule, pszName)); };
    const auto logOn = [&](const std::string& password) {
        return pSession->Connect("LUMIDEX", 7, "hr", 2, password.data(), static_cast<int>(password.size()), 0);
    };
    const int nInitialized = count("g_nInitializeCalls");
    const int nTerminated = count("g_nTerminateCalls");
    ASSERT_EQ(logOn("wrong"), SR_ERROR);
    EXPECT_EQ(count("g_nLiveHandles"), 5);
    ASSERT_EQ(logOn("hr"), SR_SUCCESS);
    EXPECT_EQ(count("g_nLiveHandles"), 5);
    int nColumns = 0, unused[2];  // query, rows
    ASSERT_EQ(pSession->Execute("SELECT", 6, &unused[0], &nColumns, &unused[1]), SR_SUCCESS);
    ASSERT_EQ(nColumns, 4097);
    std::vector<std::string> texts;
    EXPECT_EQ(pSession->DescribeColumns(4096, &texts), SR_SUCCESS);
    EXPECT_EQ(texts.size(), 4096u);
    EXPECT_EQ(pSession->FetchRow(4096, &texts), SR_NO_DATA);
    // The 4097th column is named, then refused; only 4096 have buffers.
    EXPECT_EQ(pSession->DescribeColumns(4097, &texts), SR_ERROR);
    EXPECT_EQ(texts.size(), 4097u);
    EXPECT_EQ(pSession->FetchRow(4097, &texts), SR_ERROR);
    EXPECT_EQ(pSession->FetchRow(4096, &texts), SR_NO_DATA);
    EXPECT_EQ(count("g_nLiveHandles"), 6);
    EXPECT_EQ(pSession->Disconnect(), SR_SUCCESS);
    EXPECT_EQ(count("g_nLiveHandles"), 0);

    ASSERT_EQ(logOn("wrong"), SR_ERROR);
    EXPECT_EQ(pSession->Disconnect(), SR_NOT_CONNECTED);
    EXPECT_EQ(count("g_nLiveHandles"), 0);
    ASSERT_EQ(logOn("hr"), SR_SUCCESS);
    EXPECT_EQ(pSession->Disconnect(), SR_SUCCESS);
    EXPECT_EQ(count("g_nInitializeCalls") - nInitialized, 1);
    EXPECT_EQ(count("g_nTerminateCalls") - nTerminated, 0);
    pSession.reset();
    EXPECT_EQ(count("g_nTerminateCalls") - nTerminated, 1);

    // A session that never logged on has nothing to terminate.
    pSession = std::make_unique<OracleSession>();
    pSession.reset();
    EXPECT_EQ(count("g_nInitializeCalls") - nInitialized, 1);
    EXPECT_EQ(count("g_nTerminateCalls") - nTerminated, 1);
    dlclose(pModule);
}

}  // namespace
