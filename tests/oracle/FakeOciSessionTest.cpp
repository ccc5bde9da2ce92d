// Session behaviour that needs a client no server here can drive: a query of
// 4097 columns, a count of the client's live handles, and how often the
// client is initialised and terminated.
#include "oracle/OracleSession.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

using testfixture::MessageRecorder;
using testfixture::ScopedEnv;

class FakeOciSession : public ::testing::Test {
protected:
    FakeOciSession() : m_library("LUMIDEX_OCI_LIBRARY", FAKEOCI_COMPLETE) {}

    void SetUp() override
    {
        m_pSession = std::make_unique<OracleSession>();
        ASSERT_TRUE(m_messages.m_texts.empty());
        m_pModule = dlopen(FAKEOCI_COMPLETE, RTLD_NOW | RTLD_NOLOAD);
        ASSERT_TRUE(m_pModule);
        m_pfnLiveHandles = FindCounter("FakeOciLiveHandles");
        m_pfnInitializeCalls = FindCounter("FakeOciInitializeCalls");
        m_pfnTerminateCalls = FindCounter("FakeOciTerminateCalls");
        ASSERT_TRUE(m_pfnLiveHandles && m_pfnInitializeCalls && m_pfnTerminateCalls);
    }
    void TearDown() override
    {
        if (m_pModule)
            dlclose(m_pModule);
    }

    SessionResult Connect(const char* password)
    {
        return m_pSession->Connect("LUMIDEX", 7, "hr", 2, password,
                                   static_cast<int>(strlen(password)), 0);
    }
    int LiveHandles() { return m_pfnLiveHandles(); }
    using Counter = int (*)();
    Counter FindCounter(const char* pszName) { return reinterpret_cast<Counter>(dlsym(m_pModule, pszName)); }

    ScopedEnv m_library;
    MessageRecorder m_messages;
    std::unique_ptr<OracleSession> m_pSession;
    void* m_pModule = nullptr;
    Counter m_pfnLiveHandles = nullptr;
    Counter m_pfnInitializeCalls = nullptr;
    Counter m_pfnTerminateCalls = nullptr;
};

TEST_F(FakeOciSession, DescribesAtMost4096Columns)
{
    ASSERT_EQ(Connect("hr"), SR_SUCCESS);
    int isQuery = 0, columnCount = 0, rowCount = 0;
    ASSERT_EQ(m_pSession->Execute("SELECT", 6, &isQuery, &columnCount, &rowCount), SR_SUCCESS);
    ASSERT_EQ(columnCount, 4097);

    std::vector<std::string> names;
    EXPECT_EQ(m_pSession->DescribeColumns(4096, &names), SR_SUCCESS);
    EXPECT_EQ(names.size(), 4096u);
    std::vector<std::string> values;
    EXPECT_EQ(m_pSession->FetchRow(4096, &values), SR_NO_DATA);

    // The 4097th column is named, then refused.
    EXPECT_EQ(m_pSession->DescribeColumns(4097, &names), SR_ERROR);
    EXPECT_EQ(names.size(), 4097u);
    // Only 4096 columns have buffers to read from.
    EXPECT_EQ(m_pSession->FetchRow(4097, &values), SR_ERROR);
    EXPECT_EQ(m_pSession->FetchRow(4096, &values), SR_NO_DATA);
}

TEST_F(FakeOciSession, FailedLogonLeavesNoHandlesBehind)
{
    // Environment, error, server, service context and user session.
    constexpr int kConnectionHandles = 5;
    ASSERT_EQ(Connect("wrong"), SR_ERROR);
    EXPECT_EQ(LiveHandles(), kConnectionHandles);  // kept for the error text
    ASSERT_EQ(Connect("hr"), SR_SUCCESS);
    EXPECT_EQ(LiveHandles(), kConnectionHandles);

    int isQuery = 0, columnCount = 0, rowCount = 0;
    ASSERT_EQ(m_pSession->Execute("SELECT", 6, &isQuery, &columnCount, &rowCount), SR_SUCCESS);
    EXPECT_EQ(LiveHandles(), kConnectionHandles + 1);
    EXPECT_EQ(m_pSession->Disconnect(), SR_SUCCESS);
    EXPECT_EQ(LiveHandles(), 0);

    ASSERT_EQ(Connect("wrong"), SR_ERROR);
    EXPECT_EQ(m_pSession->Disconnect(), SR_NOT_CONNECTED);
    EXPECT_EQ(LiveHandles(), 0);
}

// The client is set up before the first logon and torn down once, when the
// library is released: never at a logoff, while a later logon may follow.
TEST_F(FakeOciSession, InitializesOnceAndTerminatesWhenTheLibraryGoes)
{
    const int nInitialized = m_pfnInitializeCalls();
    const int nTerminated = m_pfnTerminateCalls();
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(Connect("hr"), SR_SUCCESS);
        EXPECT_EQ(m_pSession->Disconnect(), SR_SUCCESS);
    }
    ASSERT_EQ(Connect("wrong"), SR_ERROR);
    EXPECT_EQ(m_pfnInitializeCalls() - nInitialized, 1);
    EXPECT_EQ(m_pfnTerminateCalls() - nTerminated, 0);
    m_pSession.reset();
    EXPECT_EQ(m_pfnTerminateCalls() - nTerminated, 1);

    // A session that never logged on has nothing to terminate.
    m_pSession = std::make_unique<OracleSession>();
    m_pSession.reset();
    EXPECT_EQ(m_pfnInitializeCalls() - nInitialized, 1);
    EXPECT_EQ(m_pfnTerminateCalls() - nTerminated, 1);
}

}  // namespace
