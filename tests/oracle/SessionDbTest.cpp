// OracleSession's own part of logons, queries, commits and buffers, on the test cluster through libocipg.
#include "tests/oracle/ProgramSession.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

namespace {

using sessiontest::ProgramSession;
using sessiontest::Result;
using testfixture::AdminValue;
using testfixture::ScopedEnv;

// The login type, operating-system authentication for a blank user and password, a warning kept until the
// next logon, a failure that leaves the next logon to start afresh.
TEST(SessionDb, LogsOnAndOff)
{
    ASSERT_EQ(testfixture::ExpireWarnedIn("3 days"), "");
    const struct {
        std::string strUser;
        std::string strPassword;
        LoginMode nMode;
        std::string strRole;  // current_user, or the error of a refused logon
        const char* pszWarning;
    } logons[] = {
        {"warned", "warned", 0, "warned", "ORA-28002: the password will expire within 3 days\n"},
        {"hr", "hr", 7, "hr", ""},  // an unknown type logs on as Normal
        {"", "", 0, getpwuid(geteuid())->pw_name, ""},
        // A user without a password, or a password without a user, is a database logon, never an OS one.
        {"hr", "", 0, "ORA-01005", ""},
        {"", "hr", 0, "ORA-01017", ""},
        {testfixture::AdminUser(), testfixture::AdminPassword(), 2, testfixture::AdminUser(), ""},  // SYSDBA
        {testfixture::AdminUser(), testfixture::AdminPassword(), 1, testfixture::AdminUser(), ""},  // SYSOPER
    };
    ProgramSession session;
    for (const auto& logon : logons) {
        SCOPED_TRACE(logon.strUser + " " + std::to_string(logon.nMode));
        const SessionResult result = session.Connect(logon.strUser, logon.strPassword, logon.nMode);
        int nCode = 0;
        if (logon.strRole.rfind("ORA-", 0) == 0) {
            EXPECT_EQ(result, SR_ERROR);
            EXPECT_EQ(session.ErrorText(&nCode).substr(0, 9), logon.strRole);
            EXPECT_EQ(nCode, std::stoi(logon.strRole.substr(4)));
            EXPECT_EQ(session.Run("SELECT 1").nStatus, SR_NOT_CONNECTED);
            continue;
        }
        EXPECT_EQ(result, *logon.pszWarning ? SR_SUCCESS_WITH_INFO : SR_SUCCESS) << session.ErrorText();
        EXPECT_EQ(session->LogonWarning(), logon.pszWarning);
        EXPECT_EQ(session.Run("SELECT current_user").Text(), logon.strRole);
        EXPECT_EQ(session->Disconnect(), SR_SUCCESS);
        EXPECT_EQ(session->Disconnect(), SR_NOT_CONNECTED);
        EXPECT_EQ(session.Run("SELECT 1").nStatus, SR_NOT_CONNECTED);
        // Logged off, there is no error handle left to read.
        char text[100];
        EXPECT_NE(session->GetErrorText(text, sizeof text, &nCode), SR_SUCCESS);
    }
}

// What the catalog statements' tests do not show. A statement refused when it is parsed leaves the current
// query open; one refused when it is run replaces it. Rows come a thousand per round trip.
TEST(SessionDb, QueriesAndTheStatementsAfterThem)
{
    const TempFolder folder;
    ScopedEnv trips("OCIPG_ROUND_TRIPS", folder.Path("trips"));
    ProgramSession session;
    ASSERT_EQ(session.Connect("hr", "hr"), SR_SUCCESS) << session.ErrorText();
    // A second logon is refused and leaves the first alone.
    EXPECT_EQ(session.Connect("app", "app"), SR_ERROR);
    // A NULL and the text "NULL" read alike.
    EXPECT_EQ(session.Run("SELECT current_user, first_name, notes FROM hr.employees WHERE employee_id = 4").Text(),
              "hr NULL NULL");
    std::vector<std::string> names = {"stale"};
    EXPECT_EQ(session->DescribeColumns(0, &names), SR_SUCCESS);
    EXPECT_TRUE(names.empty());
    // A value too long for its buffer ends the fetch.
    const Result cut = session.Run("SELECT v FROM (VALUES (1, 'short'), (2, repeat('x', 5000))) AS t(n, v) ORDER BY n");
    EXPECT_EQ(cut.rows, sessiontest::Rows{{"short"}});
    EXPECT_EQ(cut.nStatus, SR_SUCCESS_WITH_INFO);
    EXPECT_EQ(cut.nErrorCode, 1406);

    ASSERT_EQ(session.Run("SELECT department_id FROM hr.departments ORDER BY 1", 1).Text(), "10");
    const Result parsed = session.Run("SELEC department_id FROM hr.departments");
    EXPECT_EQ(parsed.nStatus, SR_ERROR);
    EXPECT_EQ(parsed.nIsQuery, 0);
    EXPECT_EQ(parsed.strError.rfind("ORA-00900", 0), 0u) << parsed.strError;
    EXPECT_EQ(session.Fetch(1).Text(), "20");
    const Result run = session.Run("SELECT * FROM app.order_lines");
    EXPECT_EQ(run.nStatus, SR_ERROR);
    EXPECT_EQ(run.nIsQuery, 1);
    EXPECT_EQ(run.nErrorCode, 1031);
    EXPECT_EQ(session.Fetch().nStatus, SR_ERROR);

    EXPECT_EQ(session.Run("SELECT g, repeat('x', 100) FROM generate_series(1, 1000) g").rows.size(), 1000u);
    ASSERT_EQ(session->CloseStatement(), SR_SUCCESS);
    const std::string log = TempFolder::Read(folder.Path("trips"));
    ASSERT_NE(log.find("generate_series"), std::string::npos) << log;
    const int nTrips = std::atoi(log.c_str() + log.rfind('\n', log.find("generate_series")) + 1);
    EXPECT_TRUE(nTrips >= 1 && nTrips <= 3) << log;
}

// Runs alone: other tests list hr's tables.
TEST(SessionDml, StatementCountsAndCommitsItsRowsBesideAnOpenQuery)
{
    ASSERT_EQ(AdminValue("DROP TABLE IF EXISTS hr.session_dml; CREATE TABLE hr.session_dml (id integer, v integer);"
                         "INSERT INTO hr.session_dml SELECT i, 0 FROM generate_series(1, 5) i;"
                         "ALTER TABLE hr.session_dml OWNER TO hr"),
              "");
    const auto sum = [] { return AdminValue("SELECT sum(v) FROM hr.session_dml"); };
    {
        ProgramSession session;
        ASSERT_EQ(session.Connect("hr", "hr"), SR_SUCCESS) << session.ErrorText();
        // The second fetch's round trip brought the prefetch, which the commit below does not take away.
        ASSERT_EQ(session.Run("SELECT department_id FROM hr.departments ORDER BY 1", 2).Text(), "10\n20");
        EXPECT_EQ(session.Run("UPDATE hr.session_dml SET v = v + 1 WHERE id <= 3").nRowCount, 3);
        EXPECT_EQ(sum(), "3");
        EXPECT_EQ(session.Fetch(1).Text(), "30");

        // Commit mode 1 leaves the change open for the next commit.
        session->SetCommitMode(1);
        EXPECT_EQ(session.Run("UPDATE hr.session_dml SET v = v + 10 WHERE id = 5").strError, "");
        EXPECT_EQ(sum(), "3");
        session->SetCommitMode(0);
        EXPECT_EQ(session.Run("DELETE FROM hr.session_dml WHERE id = 4").nRowCount, 1);
        EXPECT_EQ(sum(), "13");
    }  // logged off first, or an open transaction would hold the drop
    AdminValue("DROP TABLE hr.session_dml");
}

// A LATIN1 database, a UTF-8 client: the display size counts the database's bytes, the buffers the client's.
TEST(SessionDb, WideningCharactersComeWhole)
{
    const std::string drop = "DROP DATABASE IF EXISTS lumidex_latin1 WITH (FORCE)";
    AdminValue(drop);
    ASSERT_EQ(AdminValue("CREATE DATABASE lumidex_latin1 ENCODING 'LATIN1' LC_COLLATE 'C' LC_CTYPE 'C' "
                         "TEMPLATE template0"),
              "");
    {
        ScopedEnv utf8("NLS_LANG", "AMERICAN_AMERICA.AL32UTF8");
        ProgramSession session;
        ASSERT_EQ(session.Connect(testfixture::AdminUser(), testfixture::AdminPassword(), 0,
                                  testfixture::SocketDir() + ":" + testfixture::Port() + "/lumidex_latin1"),
                  SR_SUCCESS)
            << session.ErrorText();
        const Result read = session.Run("CREATE TABLE t (v varchar(4));"
                                        "INSERT INTO t VALUES ('\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9'), ('ab');"
                                        "SELECT v FROM t");
        EXPECT_EQ(read.Text(), "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\nab");
        EXPECT_EQ(read.nStatus, SR_NO_DATA);
    }  // off the database before it goes
    AdminValue(drop);
}

}  // namespace
