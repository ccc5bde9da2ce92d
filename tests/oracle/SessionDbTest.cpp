// OracleSession against the PostgreSQL test cluster through libocipg: the
// session's own part of logons, queries, commits and buffers. The library's
// own behaviour is checked in ocipg/tests.
#include "oracle/OracleSession.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestFixture.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

namespace {

using testfixture::AdminValue;
using testfixture::ScopedEnv;
using Rows = std::vector<std::vector<std::string>>;

class SessionDb : public ::testing::Test {
protected:
    SessionResult Connect(const std::string& user, const std::string& password, LoginMode mode = 0,
                          const std::string& service = "LUMIDEX")
    {
        return m_pSession->Connect(service.data(), static_cast<int>(service.size()), user.data(),
                                   static_cast<int>(user.size()), password.data(), static_cast<int>(password.size()),
                                   mode);
    }

    SessionResult Execute(const std::string& text)
    {
        return m_pSession->Execute(text.data(), static_cast<int>(text.size()), &m_nIsQuery, &m_nColumnCount,
                                   &m_nRowCount);
    }

    // Executes and describes a query (names in m_names) and fetches its rows.
    Rows Query(const std::string& text, size_t nMaxRows = SIZE_MAX)
    {
        EXPECT_EQ(Execute(text), SR_SUCCESS) << ErrorText();
        EXPECT_EQ(m_pSession->DescribeColumns(m_nColumnCount, &m_names), SR_SUCCESS);
        return Fetch(nMaxRows);
    }

    // Fetches until nMaxRows or anything but SR_SUCCESS, kept in m_nLastFetch.
    Rows Fetch(size_t nMaxRows = SIZE_MAX)
    {
        Rows rows;
        std::vector<std::string> values;
        while (rows.size() < nMaxRows && (m_nLastFetch = m_pSession->FetchRow(m_nColumnCount, &values)) == SR_SUCCESS)
            rows.push_back(values);
        EXPECT_TRUE(rows.size() == nMaxRows || values.empty());
        return rows;
    }

    std::string ErrorText()
    {
        char buffer[4096] = {};
        m_nErrorCode = 0;
        m_nErrorTextResult = m_pSession->GetErrorText(buffer, sizeof buffer, &m_nErrorCode);
        return buffer;
    }

    ScopedEnv m_library{"LUMIDEX_OCI_LIBRARY", testfixture::OcipgLibrary()};
    std::unique_ptr<OracleSession> m_pSession = std::make_unique<OracleSession>();
    int m_nIsQuery = -1;
    int m_nColumnCount = -1;
    int m_nRowCount = -1;
    std::vector<std::string> m_names;
    SessionResult m_nLastFetch = SR_SUCCESS;
    int m_nErrorCode = 0;
    SessionResult m_nErrorTextResult = SR_SUCCESS;
};

// The session's own part of a logon: the login type, operating-system
// authentication for a blank user and password, a warning kept until the next
// logon, a failure that leaves the next logon to start afresh. Aliases and the
// errors of each kind of logon are libocipg's (ocipg/tests/ConnectTest.cpp).
TEST_F(SessionDb, LogsOnAndOff)
{
    ASSERT_EQ(testfixture::ExpireWarnedIn("3 days"), "");
    const std::string admin = testfixture::AdminUser();
    const std::string password = testfixture::AdminPassword();
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
        // A user without a password is a database logon, never an operating-
        // system one, and so is a password without a user.
        {"hr", "", 0, "ORA-01005", ""},
        {"", "hr", 0, "ORA-01017", ""},
        {admin, password, 2, admin, ""},  // SYSDBA
        {admin, password, 1, admin, ""},  // SYSOPER
    };
    for (const auto& logon : logons) {
        SCOPED_TRACE(logon.strUser + " " + std::to_string(logon.nMode));
        const SessionResult result = Connect(logon.strUser, logon.strPassword, logon.nMode);
        if (logon.strRole.rfind("ORA-", 0) == 0) {
            EXPECT_EQ(result, SR_ERROR);
            EXPECT_EQ(ErrorText().substr(0, 9), logon.strRole);
            EXPECT_EQ(m_nErrorTextResult, SR_SUCCESS);
            EXPECT_EQ(m_nErrorCode, std::stoi(logon.strRole.substr(4)));
            EXPECT_EQ(Execute("SELECT 1"), SR_NOT_CONNECTED);
            continue;
        }
        EXPECT_EQ(result, *logon.pszWarning ? SR_SUCCESS_WITH_INFO : SR_SUCCESS) << ErrorText();
        EXPECT_EQ(m_pSession->LogonWarning(), logon.pszWarning);
        EXPECT_EQ(Query("SELECT current_user"), Rows{{logon.strRole}});
        EXPECT_EQ(m_pSession->Disconnect(), SR_SUCCESS);
        EXPECT_EQ(m_pSession->Disconnect(), SR_NOT_CONNECTED);
        EXPECT_EQ(Execute("SELECT 1"), SR_NOT_CONNECTED);
        // Logged off, there is no error handle left to read.
        ErrorText();
        EXPECT_NE(m_nErrorTextResult, SR_SUCCESS);
    }
}

TEST_F(SessionDb, QueryGivesNamesRowsAndNulls)
{
    ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
    // A second logon is refused and leaves the first alone.
    EXPECT_EQ(Connect("app", "app"), SR_ERROR);
    EXPECT_EQ(Query("SELECT current_user"), Rows{{"hr"}});

    EXPECT_EQ(Query("SELECT department_id, department_name, location FROM hr.departments WHERE department_id < 40 "
                    "ORDER BY department_id"),
              (Rows{{"10", "Administration", "LON"}, {"20", "Marketing", "PAR"}, {"30", "Purchasing", "NULL"}}));
    EXPECT_EQ(m_names, (std::vector<std::string>{"DEPARTMENT_ID", "DEPARTMENT_NAME", "LOCATION"}));
    EXPECT_EQ(m_nLastFetch, SR_NO_DATA);
    // A NULL and the text "NULL" read alike.
    EXPECT_EQ(Query("SELECT first_name, notes FROM hr.employees WHERE employee_id = 4"), (Rows{{"NULL", "NULL"}}));
    m_names = {"stale"};
    EXPECT_EQ(m_pSession->DescribeColumns(0, &m_names), SR_SUCCESS);
    EXPECT_TRUE(m_names.empty());

    // A value too long for its buffer ends the fetch.
    EXPECT_EQ(Query("SELECT v FROM (VALUES (1, 'short'), (2, repeat('x', 5000))) AS t(n, v) ORDER BY n"),
              Rows{{"short"}});
    EXPECT_EQ(m_nLastFetch, SR_SUCCESS_WITH_INFO);
    ErrorText();
    EXPECT_EQ(m_nErrorCode, 1406);
}

// A statement refused when it is parsed leaves the current query open; one
// refused when it is run replaces it.
TEST_F(SessionDb, FailedStatementAndTheCurrentQuery)
{
    ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
    ASSERT_EQ(Query("SELECT department_id FROM hr.departments ORDER BY 1", 1), Rows{{"10"}});

    EXPECT_EQ(Execute("SELEC department_id FROM hr.departments"), SR_ERROR);
    EXPECT_EQ(m_nIsQuery, 0);
    EXPECT_EQ(ErrorText().rfind("ORA-00900", 0), 0u);
    m_nColumnCount = 1;
    EXPECT_EQ(Fetch(1), Rows{{"20"}});

    EXPECT_EQ(Execute("SELECT * FROM app.order_lines"), SR_ERROR);
    EXPECT_EQ(m_nIsQuery, 1);
    ErrorText();
    EXPECT_EQ(m_nErrorCode, 1031);
    EXPECT_EQ(Fetch(), Rows{});
    EXPECT_EQ(m_nLastFetch, SR_ERROR);
}

// Runs alone: other tests list hr's tables.
using SessionDml = SessionDb;

TEST_F(SessionDml, StatementCountsAndCommitsItsRowsBesideAnOpenQuery)
{
    ASSERT_EQ(AdminValue("DROP TABLE IF EXISTS hr.session_dml; CREATE TABLE hr.session_dml (id integer, v integer);"
                         "INSERT INTO hr.session_dml SELECT i, 0 FROM generate_series(1, 5) i;"
                         "ALTER TABLE hr.session_dml OWNER TO hr"),
              "");
    const auto sum = [] { return AdminValue("SELECT sum(v) FROM hr.session_dml"); };
    ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
    // Two rows read: the second fetch's round trip brought the prefetch too,
    // which the commit below does not take away (libocipg's commit closes the
    // cursor on the server; Oracle's does not).
    ASSERT_EQ(Query("SELECT department_id FROM hr.departments ORDER BY 1", 2), (Rows{{"10"}, {"20"}}));
    EXPECT_EQ(Execute("UPDATE hr.session_dml SET v = v + 1 WHERE id <= 3"), SR_SUCCESS) << ErrorText();
    EXPECT_EQ(m_nIsQuery, 0);
    EXPECT_EQ(m_nRowCount, 3);
    EXPECT_EQ(sum(), "3");
    m_nColumnCount = 1;
    EXPECT_EQ(Fetch(1), Rows{{"30"}});

    // Commit mode 1 leaves the change open for the next commit.
    m_pSession->SetCommitMode(1);
    EXPECT_EQ(Execute("UPDATE hr.session_dml SET v = v + 10 WHERE id = 5"), SR_SUCCESS) << ErrorText();
    EXPECT_EQ(sum(), "3");
    m_pSession->SetCommitMode(0);
    EXPECT_EQ(Execute("DELETE FROM hr.session_dml WHERE id = 4"), SR_SUCCESS) << ErrorText();
    EXPECT_EQ(m_nRowCount, 1);
    EXPECT_EQ(sum(), "13");
    m_pSession.reset();  // logged off first, or an open transaction would hold the drop
    AdminValue("DROP TABLE hr.session_dml");
}

// A LATIN1 database read through a UTF-8 client: the display size counts
// the database's bytes, the buffers hold the client's.
TEST_F(SessionDb, WideningCharactersComeWhole)
{
    const std::string drop = "DROP DATABASE IF EXISTS lumidex_latin1 WITH (FORCE)";
    AdminValue(drop);
    ASSERT_EQ(AdminValue("CREATE DATABASE lumidex_latin1 ENCODING 'LATIN1' LC_COLLATE 'C' LC_CTYPE 'C' "
                         "TEMPLATE template0"),
              "");
    ScopedEnv utf8("NLS_LANG", "AMERICAN_AMERICA.AL32UTF8");
    const std::string service = testfixture::SocketDir() + ":" + testfixture::Port() + "/lumidex_latin1";
    ASSERT_EQ(Connect(testfixture::AdminUser(), testfixture::AdminPassword(), 0, service), SR_SUCCESS) << ErrorText();
    ASSERT_EQ(Execute("CREATE TABLE t (v varchar(4))"), SR_SUCCESS) << ErrorText();
    ASSERT_EQ(Execute("INSERT INTO t VALUES ('\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9'), ('ab')"), SR_SUCCESS) << ErrorText();
    EXPECT_EQ(Query("SELECT v FROM t"), (Rows{{"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"}, {"ab"}}));
    EXPECT_EQ(m_nLastFetch, SR_NO_DATA);
    m_pSession.reset();  // off the database before it goes
    AdminValue(drop);
}

// Rows come from the server a thousand at a time: a listing of 1,000 rows
// is the execute's round trip and one or two fetches, not one per row.
TEST_F(SessionDb, ListingTakesFewRoundTrips)
{
    const TempFolder folder;
    ScopedEnv trips("OCIPG_ROUND_TRIPS", folder.Path("trips"));
    ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
    EXPECT_EQ(Query("SELECT g, repeat('x', 100) FROM generate_series(1, 1000) g").size(), 1000u);
    ASSERT_EQ(m_pSession->CloseStatement(), SR_SUCCESS);
    const std::string log = TempFolder::Read(folder.Path("trips"));
    ASSERT_NE(log.find("generate_series"), std::string::npos) << log;
    const int nTrips = std::atoi(log.c_str() + log.rfind('\n', log.find("generate_series")) + 1);
    EXPECT_GE(nTrips, 1);
    EXPECT_LE(nTrips, 3);
}

}  // namespace
