// CLumidexDoc against the PostgreSQL test cluster through libocipg.
#include "document/LumidexDoc.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestFixture.h"

#include <gtest/gtest.h>

namespace {

using testfixture::MessageRecorder;
using testfixture::ScopedEnv;

constexpr char kNoMessage[] = "No message! Are you connected to the database?";

class DocumentDb : public ::testing::Test {
protected:
    DocumentDb() : m_library("LUMIDEX_OCI_LIBRARY", testfixture::OcipgLibrary()) {}

    void SetUp() override
    {
        m_pDocument = std::make_unique<CLumidexDoc>();
        ASSERT_TRUE(m_messages.m_texts.empty());
    }

    SessionResult Execute(const std::string& statement)
    {
        return m_pDocument->Execute(statement, &m_nIsQuery, &m_nColumnCount, &m_nRowCount);
    }

    ScopedEnv m_library;
    MessageRecorder m_messages;
    std::unique_ptr<CLumidexDoc> m_pDocument;
    int m_nIsQuery = 0, m_nColumnCount = 0, m_nRowCount = 0;
};

TEST_F(DocumentDb, CarriageReturnsReachTheServerAsBlanks)
{
    ASSERT_EQ(m_pDocument->Connect("LUMIDEX", "hr", "hr", 0), SR_SUCCESS);
    ASSERT_EQ(Execute("SELECT 'a\r\nb' AS t,\r\n  length('a\r\nb') AS n\r\n"), SR_SUCCESS)
        << m_pDocument->GetMessageText();
    std::vector<std::string> texts;
    ASSERT_EQ(m_pDocument->DescribeColumns(m_nColumnCount, &texts), SR_SUCCESS);
    ASSERT_EQ(m_pDocument->FetchRow(m_nColumnCount, &texts), SR_SUCCESS);
    EXPECT_EQ(texts, (std::vector<std::string>{"a \nb", "4"}));
}

TEST_F(DocumentDb, OracleErrorShowsOnOneLine)
{
    ASSERT_EQ(m_pDocument->Connect("LUMIDEX", "hr", "hr", 0), SR_SUCCESS);
    ASSERT_NE(Execute("SELECT department_id FROM hr.departments WHERE"), SR_SUCCESS);
    const std::string strText = m_pDocument->GetMessageText();
    EXPECT_EQ(strText.rfind("ORA-", 0), 0u) << strText;
    EXPECT_EQ(strText.find('\n'), std::string::npos) << strText;
    ASSERT_FALSE(strText.empty());
    EXPECT_NE(strText.back(), ' ') << strText;
    // The server's own message follows Oracle's line after a blank.
    EXPECT_NE(strText.find(" syntax error"), std::string::npos) << strText;
}

TEST_F(DocumentDb, FailedLogonTextOutlivesTheOperationsThatFollow)
{
    ASSERT_NE(m_pDocument->Connect("LUMIDEX", "hr", "wrong", 0), SR_SUCCESS);
    const std::string strLogonError = m_pDocument->GetMessageText();
    EXPECT_EQ(strLogonError.rfind("ORA-01017", 0), 0u) << strLogonError;
    EXPECT_EQ(Execute("SELECT 1"), SR_NOT_CONNECTED);
    EXPECT_EQ(m_pDocument->GetMessageText(), strLogonError);

    // A Connect refused because one is open writes no record of its own.
    ASSERT_EQ(m_pDocument->Connect("LUMIDEX", "hr", "hr", 0), SR_SUCCESS);
    ASSERT_NE(Execute("SELECT * FROM no_such_table"), SR_SUCCESS);
    const std::string strQueryError = m_pDocument->GetMessageText();
    EXPECT_EQ(strQueryError.rfind("ORA-00942", 0), 0u) << strQueryError;
    EXPECT_EQ(m_pDocument->Connect("LUMIDEX", "hr", "hr", 0), SR_ERROR);
    EXPECT_EQ(m_pDocument->GetMessageText(), strQueryError);
}

TEST_F(DocumentDb, AfterDisconnectThereIsNoMessage)
{
    ASSERT_EQ(m_pDocument->Connect("LUMIDEX", "hr", "hr", 0), SR_SUCCESS);
    EXPECT_EQ(m_pDocument->Disconnect(), SR_SUCCESS);
    EXPECT_EQ(Execute("SELECT 1"), SR_NOT_CONNECTED);
    EXPECT_EQ(m_pDocument->GetMessageText(), kNoMessage);

    // Nor after a failed logon once it is disconnected: its handles are gone.
    ASSERT_NE(m_pDocument->Connect("LUMIDEX", "hr", "wrong", 0), SR_SUCCESS);
    EXPECT_EQ(m_pDocument->Disconnect(), SR_NOT_CONNECTED);
    EXPECT_EQ(m_pDocument->GetMessageText(), kNoMessage);
}

// A logon with a warning is a logon: the warning is kept on one line.
TEST_F(DocumentDb, PasswordAboutToExpireIsALogonWithAWarning)
{
    ASSERT_EQ(testfixture::ExpireWarnedIn("3 days"), "");
    ASSERT_EQ(m_pDocument->Connect("LUMIDEX", "warned", "warned", 0), SR_SUCCESS_WITH_INFO);
    EXPECT_EQ(m_pDocument->GetLogonWarning(), "ORA-28002: the password will expire within 3 days");
    EXPECT_EQ(Execute("SELECT 1 FROM dual"), SR_SUCCESS) << m_pDocument->GetMessageText();
}

}  // namespace
