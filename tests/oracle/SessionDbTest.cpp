// OracleSession against the PostgreSQL test cluster through libocipg.
#include "oracle/OracleSession.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>
#include <pwd.h>
#include <unistd.h>

namespace {

using testfixture::MessageRecorder;
using testfixture::ScopedEnv;
using testfixture::AdminValue;
using Rows = std::vector<std::vector<std::string>>;

constexpr LoginMode kSysoper = 1;
constexpr LoginMode kSysdba = 2;

class SessionDb : public ::testing::Test {
protected:
    SessionDb() : m_library("LUMIDEX_OCI_LIBRARY", testfixture::OcipgLibrary()) {}

    void SetUp() override
    {
        m_pSession = std::make_unique<OracleSession>();
        ASSERT_TRUE(m_messages.m_texts.empty()) << m_messages.m_texts.front();
    }

    SessionResult Connect(const std::string& user, const std::string& password,
                          LoginMode mode = 0, const std::string& service = "LUMIDEX")
    {
        return m_pSession->Connect(service.data(), static_cast<int>(service.size()), user.data(),
                                   static_cast<int>(user.size()), password.data(),
                                   static_cast<int>(password.size()), mode);
    }

    SessionResult Execute(const std::string& text)
    {
        return m_pSession->Execute(text.data(), static_cast<int>(text.size()), &m_nIsQuery,
                                   &m_nColumnCount, &m_nRowCount);
    }

    // Executes and describes a query; its column names land in m_names.
    void Open(const std::string& text)
    {
        ASSERT_EQ(Execute(text), SR_SUCCESS) << ErrorText();
        ASSERT_EQ(m_nIsQuery, 1);
        ASSERT_EQ(m_pSession->DescribeColumns(m_nColumnCount, &m_names), SR_SUCCESS);
    }

    // Fetches until the session says anything but SR_SUCCESS, which it keeps
    // in m_nLastFetch.
    Rows FetchAll(size_t nMaxRows = SIZE_MAX)
    {
        Rows rows;
        std::vector<std::string> values;
        while (rows.size() < nMaxRows &&
               (m_nLastFetch = m_pSession->FetchRow(m_nColumnCount, &values)) == SR_SUCCESS)
            rows.push_back(values);
        if (rows.size() < nMaxRows) {
            EXPECT_TRUE(values.empty());
        }
        return rows;
    }

    std::string QueryOne(const std::string& text)
    {
        Open(text);
        const Rows rows = FetchAll(1);
        return rows.empty() || rows[0].empty() ? "<no row>" : rows[0][0];
    }

    std::string ErrorText()
    {
        char buffer[4096] = {};
        m_nErrorCode = 0;
        m_nErrorTextResult = m_pSession->GetErrorText(buffer, sizeof buffer, &m_nErrorCode);
        return buffer;
    }

    ScopedEnv m_library;
    MessageRecorder m_messages;
    std::unique_ptr<OracleSession> m_pSession;
    int m_nIsQuery = -1, m_nColumnCount = -1, m_nRowCount = -1;
    std::vector<std::string> m_names;
    SessionResult m_nLastFetch = SR_SUCCESS;
    int m_nErrorCode = 0;
    SessionResult m_nErrorTextResult = SR_SUCCESS;
};

// The session's own part of a logon: the login type, and operating-system
// authentication for a blank user and password. Aliases and the errors of
// each kind of logon are libocipg's (ocipg/tests/ConnectTest.cpp).
TEST_F(SessionDb, LogsOnAndOff)
{
    const std::string strAdmin = testfixture::AdminUser();
    const std::string strOsUser = getpwuid(geteuid())->pw_name;
    // User, password, login type (an unknown one logs on as Normal), role.
    const std::tuple<std::string, std::string, LoginMode, std::string> logons[] = {
        {"hr", "hr", 0, "hr"},
        {"", "", 0, strOsUser},
        {strAdmin, testfixture::AdminPassword(), kSysdba, strAdmin},
        {strAdmin, testfixture::AdminPassword(), kSysoper, strAdmin},
        {"hr", "hr", 7, "hr"},
    };
    for (const auto& [strUser, strPassword, nMode, strRole] : logons) {
        SCOPED_TRACE(strUser + " " + std::to_string(nMode));
        ASSERT_EQ(Connect(strUser, strPassword, nMode), SR_SUCCESS) << ErrorText();
        EXPECT_EQ(QueryOne("SELECT current_user"), strRole);
        EXPECT_EQ(m_pSession->Disconnect(), SR_SUCCESS);
        EXPECT_EQ(m_pSession->Disconnect(), SR_NOT_CONNECTED);
        EXPECT_EQ(Execute("SELECT 1"), SR_NOT_CONNECTED);
        // Logged off, there is no error handle left to read.
        ErrorText();
        EXPECT_NE(m_nErrorTextResult, SR_SUCCESS);
    }
}

TEST_F(SessionDb, FailedLogonReportsItsErrorAndTheNextStartsAfresh)
{
    // A user name without a password is a database logon, never an
    // operating-system one, and so is a password without a user name.
    const std::tuple<const char*, const char*, int> failures[] = {{"hr", "", 1005}, {"", "hr", 1017}};
    for (const auto& [pszUser, pszPassword, nOraError] : failures) {
        SCOPED_TRACE(std::string(pszUser) + "/" + pszPassword);
        EXPECT_NE(Connect(pszUser, pszPassword), SR_SUCCESS);
        const std::string strText = ErrorText();
        EXPECT_EQ(m_nErrorTextResult, SR_SUCCESS);
        EXPECT_EQ(m_nErrorCode, nOraError) << strText;
        EXPECT_EQ(strText.rfind("ORA-", 0), 0u) << strText;
        EXPECT_EQ(Execute("SELECT 1"), SR_NOT_CONNECTED);

        ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
        EXPECT_EQ(QueryOne("SELECT current_user"), "hr");
        EXPECT_EQ(m_pSession->Disconnect(), SR_SUCCESS);
    }
}

TEST_F(SessionDb, SecondConnectLeavesTheFirstLogonAlone)
{
    ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
    EXPECT_EQ(Connect("app", "app"), SR_ERROR);
    EXPECT_EQ(QueryOne("SELECT current_user"), "hr");
}

TEST_F(SessionDb, QueryGivesNamesRowsAndNulls)
{
    ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
    Open("SELECT department_id, department_name, location FROM hr.departments "
         "WHERE department_id < 40 ORDER BY department_id");
    EXPECT_EQ(m_nColumnCount, 3);
    EXPECT_EQ(m_names, (std::vector<std::string>{"DEPARTMENT_ID", "DEPARTMENT_NAME", "LOCATION"}));
    EXPECT_EQ(FetchAll(), (Rows{{"10", "Administration", "LON"},
                                {"20", "Marketing", "PAR"},
                                {"30", "Purchasing", "NULL"}}));
    EXPECT_EQ(m_nLastFetch, SR_NO_DATA);

    // A NULL and the text "NULL" read alike.
    Open("SELECT first_name, notes FROM hr.employees WHERE employee_id = 4");
    EXPECT_EQ(FetchAll(), (Rows{{"NULL", "NULL"}}));

    m_names = {"stale"};
    EXPECT_EQ(m_pSession->DescribeColumns(0, &m_names), SR_SUCCESS);
    EXPECT_TRUE(m_names.empty());
}

// A statement refused when it is parsed leaves the current query open; one
// refused when it is run replaces it.
TEST_F(SessionDb, FailedStatementAndTheCurrentQuery)
{
    ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
    Open("SELECT department_id FROM hr.departments ORDER BY 1");
    ASSERT_EQ(FetchAll(1), (Rows{{"10"}}));

    EXPECT_NE(Execute("SELEC department_id FROM hr.departments"), SR_SUCCESS);
    EXPECT_EQ(m_nIsQuery, 0);
    const std::string strText = ErrorText();
    EXPECT_EQ(strText.rfind("ORA-00900", 0), 0u) << strText;
    m_nColumnCount = 1;
    EXPECT_EQ(FetchAll(1), (Rows{{"20"}}));

    EXPECT_NE(Execute("SELECT * FROM app.order_lines"), SR_SUCCESS);
    EXPECT_EQ(m_nIsQuery, 1);
    ErrorText();
    EXPECT_EQ(m_nErrorCode, 1031);
    std::vector<std::string> values;
    EXPECT_NE(m_pSession->FetchRow(1, &values), SR_SUCCESS);
    EXPECT_TRUE(values.empty());
}

// A table of hr's own for one test, gone afterwards; other tests list hr's
// tables, so these run alone.
class SessionDml : public SessionDb {
protected:
    void SetUp() override
    {
        ASSERT_EQ(AdminValue("DROP TABLE IF EXISTS hr.session_dml;"
                             "CREATE TABLE hr.session_dml (id integer, v integer);"
                             "INSERT INTO hr.session_dml SELECT i, 0 FROM generate_series(1, 5) i;"
                             "ALTER TABLE hr.session_dml OWNER TO hr"),
                  "");
        SessionDb::SetUp();
        ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
    }
    void TearDown() override
    {
        // Logged off first, or an open transaction would hold the drop.
        m_pSession.reset();
        AdminValue("DROP TABLE hr.session_dml");
    }

    std::string Sum() { return AdminValue("SELECT sum(v) FROM hr.session_dml"); }
};

TEST_F(SessionDml, StatementCountsAndCommitsItsRowsBesideAnOpenQuery)
{
    // Two rows read: the second fetch's round trip brought the prefetch too,
    // which the commit below does not take away (libocipg's commit closes the
    // cursor on the server; Oracle's does not).
    Open("SELECT department_id FROM hr.departments ORDER BY 1");
    ASSERT_EQ(FetchAll(2), (Rows{{"10"}, {"20"}}));

    EXPECT_EQ(Execute("UPDATE hr.session_dml SET v = v + 1 WHERE id <= 3"), SR_SUCCESS)
        << ErrorText();
    EXPECT_EQ(m_nIsQuery, 0);
    EXPECT_EQ(m_nRowCount, 3);
    EXPECT_EQ(Sum(), "3");

    m_nColumnCount = 1;
    EXPECT_EQ(FetchAll(1), (Rows{{"30"}}));
}

TEST_F(SessionDml, CommitModeOneLeavesTheChangeOpenForTheNextCommit)
{
    m_pSession->SetCommitMode(1);
    EXPECT_EQ(Execute("UPDATE hr.session_dml SET v = v + 10 WHERE id = 5"), SR_SUCCESS)
        << ErrorText();
    EXPECT_EQ(Sum(), "0");
    m_pSession->SetCommitMode(0);
    EXPECT_EQ(Execute("DELETE FROM hr.session_dml WHERE id = 4"), SR_SUCCESS) << ErrorText();
    EXPECT_EQ(m_nRowCount, 1);
    EXPECT_EQ(Sum(), "10");
}

TEST_F(SessionDb, TruncatedValueEndsTheFetch)
{
    ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
    Open("SELECT v FROM (VALUES (1, 'short'), (2, repeat('x', 5000))) AS t(n, v) ORDER BY n");
    EXPECT_EQ(FetchAll(), (Rows{{"short"}}));
    EXPECT_EQ(m_nLastFetch, SR_SUCCESS_WITH_INFO);
    ErrorText();
    EXPECT_EQ(m_nErrorCode, 1406);
}

// Resident memory of this process in kB.
long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

TEST_F(SessionDb, PasswordAboutToExpireLogsOnWithItsWarning)
{
    ASSERT_EQ(testfixture::ExpireWarnedIn("3 days"), "");
    EXPECT_EQ(Connect("warned", "warned"), SR_SUCCESS_WITH_INFO) << ErrorText();
    EXPECT_EQ(m_pSession->LogonWarning(), "ORA-28002: the password will expire within 3 days\n");
    EXPECT_EQ(QueryOne("SELECT current_user FROM dual"), "warned");
    // The next logon without a warning forgets it.
    ASSERT_EQ(m_pSession->Disconnect(), SR_SUCCESS);
    ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
    EXPECT_EQ(m_pSession->LogonWarning(), "");
}

// A LATIN1 database read through a UTF-8 client: the display size counts
// the database's bytes, the buffers hold the client's.
TEST_F(SessionDb, WideningCharactersComeWhole)
{
    struct DropDatabase {
        ~DropDatabase() { AdminValue("DROP DATABASE IF EXISTS lumidex_latin1 WITH (FORCE)"); }
    } drop;
    AdminValue("DROP DATABASE IF EXISTS lumidex_latin1 WITH (FORCE)");
    ASSERT_EQ(AdminValue("CREATE DATABASE lumidex_latin1 ENCODING 'LATIN1' LC_COLLATE 'C' LC_CTYPE 'C' "
                         "TEMPLATE template0"),
              "");
    ScopedEnv utf8("NLS_LANG", "AMERICAN_AMERICA.AL32UTF8");
    const std::string service = testfixture::SocketDir() + ":" + testfixture::Port() + "/lumidex_latin1";
    ASSERT_EQ(Connect(testfixture::AdminUser(), testfixture::AdminPassword(), 0, service), SR_SUCCESS) << ErrorText();
    ASSERT_EQ(Execute("CREATE TABLE t (v varchar(4))"), SR_SUCCESS) << ErrorText();
    ASSERT_EQ(Execute("INSERT INTO t VALUES ('\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9'), ('ab')"), SR_SUCCESS) << ErrorText();
    Open("SELECT v FROM t");
    EXPECT_EQ(FetchAll(), (Rows{{"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9"}, {"ab"}}));
    EXPECT_EQ(m_nLastFetch, SR_NO_DATA);
    m_pSession.reset();  // off the database before it goes
}

// Each listing's column descriptors are freed once read.
TEST_F(SessionDb, ColumnListingsKeepMemoryFlat)
{
    ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
    const auto list = [&](int times) {
        for (int i = 0; i < times; ++i)
            Open("SELECT * FROM hr.employees WHERE false");
    };
    list(500);
    const long before = ResidentKb();
    list(5000);
    EXPECT_LT(ResidentKb() - before, 1024);
}

// Rows come from the server a thousand at a time: a listing of 1,000 rows
// is the execute's round trip and one or two fetches, not one per row.
TEST_F(SessionDb, ListingTakesFewRoundTrips)
{
    const std::filesystem::path log = std::filesystem::temp_directory_path() /
                                      ("lumidex-trips-" + std::to_string(getpid()));
    std::filesystem::remove(log);
    {
        ScopedEnv trips("OCIPG_ROUND_TRIPS", log.string());
        ASSERT_EQ(Connect("hr", "hr"), SR_SUCCESS) << ErrorText();
        Open("SELECT g, repeat('x', 100) FROM generate_series(1, 1000) g");
        EXPECT_EQ(FetchAll().size(), 1000u);
        ASSERT_EQ(m_pSession->CloseStatement(), SR_SUCCESS);
    }
    std::ifstream file(log);
    std::string line;
    unsigned trips = 0;
    while (std::getline(file, line))
        if (line.find("generate_series") != std::string::npos)
            trips = static_cast<unsigned>(std::stoul(line));
    std::filesystem::remove(log);
    EXPECT_GE(trips, 1u);
    EXPECT_LE(trips, 3u);
}

}  // namespace
