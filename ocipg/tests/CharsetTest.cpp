#include "ocipg/tests/OcipgTest.h"

namespace ocitest {
namespace {

struct Define {
    sb4 m_nSize;
    sword m_nStatus;
    const char* m_szValue;
    sb2 m_nIndicator;
    ub2 m_nLength;
    ub2 m_nCode;
};

// Runs the one-column query once per define size and checks what arrives.
void ExpectFetches(Session& session, const std::string& sql, const std::vector<Define>& defines)
{
    for (const Define& d : defines) {
        SCOPED_TRACE(d.m_nSize);
        ASSERT_EQ(session.Execute(sql), OCI_SUCCESS) << session.Error();
        std::vector<char> value(static_cast<size_t>(d.m_nSize), '#');
        sb2 indicator = 0;
        ub2 length = 0;
        ub2 code = 0;
        OCIDefine* define = nullptr;
        OCIStmt* stmt = session.QueryStatement();
        OCIError* err = session.ErrorHandle();
        ASSERT_EQ(OCIDefineByPos(stmt, &define, err, 1, value.data(), d.m_nSize, SQLT_STR, &indicator, &length,
                                  &code, OCI_DEFAULT),
                  OCI_SUCCESS);
        EXPECT_EQ(OCIStmtFetch(stmt, err, 1, OCI_FETCH_NEXT, OCI_DEFAULT), d.m_nStatus);
        sb4 number = 0;
        ErrorText(err, &number);
        EXPECT_EQ(number, d.m_nCode);
        EXPECT_STREQ(value.data(), d.m_szValue);
        EXPECT_EQ(indicator, d.m_nIndicator);
        EXPECT_EQ(length, d.m_nLength);
        EXPECT_EQ(code, d.m_nCode);
    }
}

// A LATIN1 database read by a UTF-8 client: the display size is the
// database's (4 bytes for varchar(4)), so 'éééé' needs 8 bytes in the
// client; a cut keeps whole characters.
TEST(OcipgCharset, Latin1DatabaseUtf8Client)
{
    const AdminCleanup drop("DROP DATABASE IF EXISTS ocipg_latin1 WITH (FORCE)");
    ASSERT_EQ(AdminValue("CREATE DATABASE ocipg_latin1 ENCODING 'LATIN1' LC_COLLATE 'C' LC_CTYPE 'C' "
                         "TEMPLATE template0"),
              "");
    ScopedEnv utf8("NLS_LANG", "AMERICAN_AMERICA.AL32UTF8");
    Session session;
    const std::string service = SocketDir() + ":" + Port() + "/ocipg_latin1";
    ASSERT_EQ(session.Connect(service, AdminUser(), AdminPassword()), OCI_SUCCESS) << session.Error();
    ASSERT_EQ(session.Execute("create table t (v varchar(4), n name)"), OCI_SUCCESS) << session.Error();
    ASSERT_EQ(session.Execute("insert into t values ('\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9', 'x')"), OCI_SUCCESS)
        << session.Error();
    ASSERT_EQ(session.Execute("select v, n from t"), OCI_SUCCESS) << session.Error();
    ASSERT_EQ(session.Columns().size(), 2u);
    EXPECT_EQ(session.Columns()[0].m_nDisplaySize, 4);
    EXPECT_EQ(session.Columns()[1].m_nDisplaySize, 63);
    ExpectFetches(session, "select v from t",
                  {{5, OCI_SUCCESS_WITH_INFO, "\xc3\xa9\xc3\xa9", 8, 4, 1406},
                   {4, OCI_SUCCESS_WITH_INFO, "\xc3\xa9", 8, 2, 1406},
                   {9, OCI_SUCCESS, "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", 0, 8, 0}});
    session.Disconnect();
}

// In the UTF8 database: characters of three bytes cut whole.
TEST(OcipgCharset, CutKeepsWholeCharacters)
{
    ScopedEnv utf8("NLS_LANG", "AMERICAN_AMERICA.AL32UTF8");
    Session session;
    ASSERT_EQ(session.Connect("LUMIDEX", "hr", "hr"), OCI_SUCCESS) << session.Error();
    ExpectFetches(session, "select 'a\xe6\x97\xa5\xe6\x9c\xac'",
                  {{2, OCI_SUCCESS_WITH_INFO, "a", 7, 1, 1406},
                   {5, OCI_SUCCESS_WITH_INFO, "a\xe6\x97\xa5", 7, 4, 1406},
                   {7, OCI_SUCCESS_WITH_INFO, "a\xe6\x97\xa5", 7, 4, 1406},
                   {8, OCI_SUCCESS, "a\xe6\x97\xa5\xe6\x9c\xac", 0, 7, 0}});
}

}  // namespace
}  // namespace ocitest
