// The view's database commands without a window, against the test cluster: a run into the
// list with the 1000-row question answered by the test, the Connect loop answered by a script.
#include "document/Connection.h"
#include "document/LumidexDoc.h"
#include "document/QueryToList.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestFixture.h"

#include <gtest/gtest.h>

#include <deque>
#include <tuple>

namespace {

constexpr char kNoMessage[] = "No message! Are you connected to the database?";
// A refused logon's text, on one line: Oracle's, then the server's.
std::string Denied(const std::string& strUser)
{
    return "ORA-01017: invalid username/password; logon denied PostgreSQL: password authentication failed for user \"" +
           strUser + "\"";
}

// The list as a window shows it: the rows published so far.
class ShownList final : public controls::ResultListSink {
public:
    void Empty() override
    {
        m_content.Clear();
        m_nShown = 0;
    }
    void SetColumns(std::vector<std::string> headers) override { m_content.SetColumns(std::move(headers)); }
    int AppendRow(const std::vector<std::string>& cells) override { return m_content.AppendRow(cells); }
    void Publish() override { m_nShown = m_content.RowCount(); }
    const controls::ResultListContent& Content() const override { return m_content; }

    int m_nShown = 0;

private:
    controls::ResultListContent m_content;
};

class Operations : public ::testing::Test {
protected:
    // Failures go to the caller, never to a message box.
    void TearDown() override { EXPECT_TRUE(m_messages.m_texts.empty()); }

    // Runs the statement; the questions are answered with bReadAll, and counted.
    std::string Run(const std::string& statement, bool bReadAll = false)
    {
        m_nQuestions = 0;
        return document::RunQueryToList(m_doc, statement, m_list, [&] {
            ++m_nQuestions;
            EXPECT_EQ(m_list.m_nShown, document::kRowsBeforeQuestion);  // the rows asked about show
            return bReadAll;
        });
    }

    const controls::ResultListContent& Content() const { return m_list.Content(); }

    testfixture::ScopedEnv m_library{"LUMIDEX_OCI_LIBRARY", testfixture::OcipgLibrary()};
    testfixture::MessageRecorder m_messages;
    CLumidexDoc m_doc;
    ShownList m_list;
    int m_nQuestions = 0;
};

TEST_F(Operations, QueriesAskOnceAtTheThousandthRowOthersCountTheirRows)
{
    ASSERT_EQ(m_doc.Connect("LUMIDEX", "app", "app", 0), SR_SUCCESS);
    const std::string strThousand = "select id, label from app.big_table where id <= 1000 order by id";
    const std::string strAll = "select id, label from app.big_table order by id";
    // Name, statement, the answer given; the columns, rows and questions that result.
    const std::tuple<const char*, std::string, bool, int, int, int> cases[] = {
        {"no rows", "select * from app.big_table where id < 0", false, 4, 0, 0},
        {"999 rows", "select id from app.big_table where id < 1000", false, 1, 999, 0},
        {"1000 rows, Yes", strThousand, true, 2, 1000, 1},
        {"1000 rows, No", strThousand, false, 2, 1000, 1},
        {"1500 rows, Yes", strAll, true, 2, 1500, 1},
        {"1500 rows, No", strAll, false, 2, 1000, 1},
    };
    for (const auto& [pszName, strStatement, bReadAll, nColumns, nRows, nQuestions] : cases) {
        SCOPED_TRACE(pszName);
        EXPECT_EQ(Run(strStatement, bReadAll), "Rows " + std::to_string(nRows));
        EXPECT_EQ(m_nQuestions, nQuestions);
        EXPECT_EQ(Content().ColumnCount(), nColumns);
        EXPECT_EQ(m_list.m_nShown, nRows);
        EXPECT_EQ(Content().CellText(nRows - 1, 0), nRows ? std::to_string(nRows) : "");
    }

    // Carriage returns reach the server as blanks; other statements count their rows and commit.
    EXPECT_EQ(Run("SELECT 'a\r\nb' AS t,\r\n  length('a\r\nb') AS n\r\n"), "Rows 1");
    EXPECT_EQ(Content().CellText(0, 0), "a \nb");
    EXPECT_EQ(Content().CellText(0, 1), "4");
    EXPECT_EQ(Run("create table app.core_scratch (n integer)"), "Execute succeeded! Rows changed 0");
    EXPECT_EQ(Run("insert into app.core_scratch select generate_series(1, 3)"),
              "Execute succeeded! Rows changed 3");
    EXPECT_EQ(Content().ColumnCount(), 0);
    EXPECT_EQ(testfixture::AdminValue("SELECT count(*) FROM app.core_scratch"), "3");
    EXPECT_EQ(Run("drop table app.core_scratch"), "Execute succeeded! Rows changed 0");
}

// A failure empties the list and says why on one line; its text stays until the session
// that had it ends.
TEST_F(Operations, FailuresEmptyTheListAndSayWhy)
{
    ASSERT_NE(m_doc.Connect("LUMIDEX", "app", "wrong", 0), SR_SUCCESS);
    EXPECT_EQ(m_doc.GetMessageText(), Denied("app"));
    EXPECT_EQ(Run("select * from app.orders"), Denied("app"));
    EXPECT_EQ(m_doc.Disconnect(), SR_NOT_CONNECTED);  // the failed logon's handles go
    EXPECT_EQ(m_doc.GetMessageText(), kNoMessage);

    ASSERT_EQ(m_doc.Connect("LUMIDEX", "app", "app", 0), SR_SUCCESS);
    Run("select * from app.orders");
    ASSERT_GT(Content().RowCount(), 0);
    // Oracle's line, then the server's own message after a blank.
    const std::string strError = "ORA-00900: invalid SQL statement PostgreSQL: syntax error at or near \"selec\"";
    EXPECT_EQ(Run("selec * from hr.departments"), strError);
    EXPECT_EQ(Content().ColumnCount(), 0);
    // A Connect refused because one is open writes no record of its own.
    EXPECT_EQ(m_doc.Connect("LUMIDEX", "app", "app", 0), SR_ERROR);
    EXPECT_EQ(m_doc.GetMessageText(), strError);

    const document::Disconnected disconnected = document::Disconnect(m_doc);
    EXPECT_TRUE(disconnected.bDisconnected);
    EXPECT_EQ(disconnected.strMessage, "Disconnect succeded!");
    EXPECT_EQ(Run("select * from app.orders"), kNoMessage);
    EXPECT_EQ(Content().ColumnCount(), 0);
    // Disconnecting again is no failure.
    EXPECT_EQ(document::Disconnect(m_doc).strMessage, "Disconnect succeded!");
}

// Answers the Connect dialog with the given passwords of one user, then cancels;
// records the questions and what the user is told, in order.
struct ScriptedPrompt final : document::ConnectPrompt {
    bool AskLogon(document::LogonRequest* pRequest) override
    {
        m_arrShown.push_back("asked");
        if (m_passwords.empty())
            return false;
        *pRequest = {"LUMIDEX", m_strUser, m_passwords.front(), 0};
        m_passwords.pop_front();
        return true;
    }
    void ShowError(const std::string& strText) override { m_arrShown.push_back("error " + strText); }
    void ShowMessageLine(const std::string& strText) override { m_arrShown.push_back(strText); }

    std::string m_strUser;
    std::deque<std::string> m_passwords;
    std::vector<std::string> m_arrShown;
};

// Each failure is shown and asked again, until a logon or a cancel.
TEST_F(Operations, ConnectLoopAsksUntilALogonOrACancel)
{
    ASSERT_EQ(testfixture::ExpireWarnedIn("3 days"), "");
    // User, the passwords given; connected, times asked, the last message line.
    const std::tuple<const char*, std::deque<std::string>, bool, int, const char*> cases[] = {
        {"hr", {"wrong", "wrong", "wrong"}, false, 4, "Connect to database!"},
        {"hr", {"wrong", "hr"}, true, 2, "Connect succeeded!"},
        // A logon with a warning is a logon; the warning follows the success, on one line.
        {"warned", {"warned"}, true, 1, "Connect succeeded! ORA-28002: the password will expire within 3 days"},
    };
    for (const auto& [pszUser, passwords, bConnected, nAsked, pszLastLine] : cases) {
        SCOPED_TRACE(nAsked);
        CLumidexDoc doc;
        ScriptedPrompt prompt;
        prompt.m_strUser = pszUser;
        prompt.m_passwords = passwords;
        EXPECT_EQ(document::ConnectLoop(doc, prompt), bConnected);
        std::vector<std::string> arrShown;
        for (int i = 1; i < nAsked; ++i)
            arrShown.insert(arrShown.end(), {"asked", "error " + Denied(pszUser), Denied(pszUser)});
        arrShown.insert(arrShown.end(), {"asked", pszLastLine});
        EXPECT_EQ(prompt.m_arrShown, arrShown);
    }
}

}  // namespace
