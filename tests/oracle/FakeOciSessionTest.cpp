// Session behaviour that needs a client no server here can drive: a query of
// 4097 columns, a count of the client's live handles, and how often the
// client is initialised and terminated.
#include "oracle/OracleSession.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

class FakeOciSession : public ::testing::Test {
protected:
    ~FakeOciSession() override { dlclose(m_pModule); }
    void SetUp() override { ASSERT_TRUE(m_pModule); }

    SessionResult Connect(const char* password)
    {
        return m_pSession->Connect("LUMIDEX", 7, "hr", 2, password, static_cast<int>(strlen(password)), 0);
    }
    SessionResult Execute()
    {
        int unused[2];  // query, rows
        return m_pSession->Execute("SELECT", 6, &unused[0], &m_nColumnCount, &unused[1]);
    }
    // One of the fake client's counts.
    int Count(const char* pszName) { return *static_cast<int*>(dlsym(m_pModule, pszName)); }

    testfixture::ScopedEnv m_library{"LUMIDEX_OCI_LIBRARY", FAKEOCI_COMPLETE};
    std::unique_ptr<OracleSession> m_pSession = std::make_unique<OracleSession>();
    // Keeps the client loaded, and its counts, past the session.
    void* m_pModule = dlopen(FAKEOCI_COMPLETE, RTLD_NOW | RTLD_NOLOAD);
    int m_nColumnCount = 0;
    std::vector<std::string> m_texts;
};

TEST_F(FakeOciSession, DescribesAtMost4096Columns)
{
    ASSERT_EQ(Connect("hr"), SR_SUCCESS);
    ASSERT_EQ(Execute(), SR_SUCCESS);
    ASSERT_EQ(m_nColumnCount, 4097);
    EXPECT_EQ(m_pSession->DescribeColumns(4096, &m_texts), SR_SUCCESS);
    EXPECT_EQ(m_texts.size(), 4096u);
    EXPECT_EQ(m_pSession->FetchRow(4096, &m_texts), SR_NO_DATA);
    // The 4097th column is named, then refused; only 4096 have buffers.
    EXPECT_EQ(m_pSession->DescribeColumns(4097, &m_texts), SR_ERROR);
    EXPECT_EQ(m_texts.size(), 4097u);
    EXPECT_EQ(m_pSession->FetchRow(4097, &m_texts), SR_ERROR);
    EXPECT_EQ(m_pSession->FetchRow(4096, &m_texts), SR_NO_DATA);
}

// A logon's five handles (environment, error, server, service context, user
// session) outlive a failed one for its error text, until the next logon or
// logoff; a query adds one, and each column's descriptor is freed once read.
// The client is set up before the first logon and torn down once, when the
// library is released: never at a logoff, while a later logon may follow.
TEST_F(FakeOciSession, HandlesAndClientFollowTheLogons)
{
    const int nInitialized = Count("g_nInitializeCalls");
    const int nTerminated = Count("g_nTerminateCalls");
    ASSERT_EQ(Connect("wrong"), SR_ERROR);
    EXPECT_EQ(Count("g_nLiveHandles"), 5);
    ASSERT_EQ(Connect("hr"), SR_SUCCESS);
    EXPECT_EQ(Count("g_nLiveHandles"), 5);
    ASSERT_EQ(Execute(), SR_SUCCESS);
    ASSERT_EQ(m_pSession->DescribeColumns(4096, &m_texts), SR_SUCCESS);
    EXPECT_EQ(Count("g_nLiveHandles"), 6);
    EXPECT_EQ(m_pSession->Disconnect(), SR_SUCCESS);
    EXPECT_EQ(Count("g_nLiveHandles"), 0);

    ASSERT_EQ(Connect("wrong"), SR_ERROR);
    EXPECT_EQ(m_pSession->Disconnect(), SR_NOT_CONNECTED);
    EXPECT_EQ(Count("g_nLiveHandles"), 0);
    ASSERT_EQ(Connect("hr"), SR_SUCCESS);
    EXPECT_EQ(m_pSession->Disconnect(), SR_SUCCESS);
    EXPECT_EQ(Count("g_nInitializeCalls") - nInitialized, 1);
    EXPECT_EQ(Count("g_nTerminateCalls") - nTerminated, 0);
    m_pSession.reset();
    EXPECT_EQ(Count("g_nTerminateCalls") - nTerminated, 1);

    // A session that never logged on has nothing to terminate.
    m_pSession = std::make_unique<OracleSession>();
    m_pSession.reset();
    EXPECT_EQ(Count("g_nInitializeCalls") - nInitialized, 1);
    EXPECT_EQ(Count("g_nTerminateCalls") - nTerminated, 1);
}

}  // namespace
