#include "ocipg/tests/OcipgTest.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <optional>

namespace ocitest {
namespace {

struct LogonCase {
    const char* m_szName;
    std::string m_strService;
    const char* m_szUser;
    const char* m_szPassword;
    ub4 m_nMode;
    sb4 m_nCode;           // 0: the logon succeeds
    std::string m_strRole;  // current_user once logged on
};

std::string OsUser()
{
    const passwd* account = getpwuid(geteuid());
    return account ? account->pw_name : "";
}

// One logon per kind of target and credential; the resolution of connect
// strings itself is ConnectStringTest's.
TEST(OcipgConnect, LogonVariants)
{
    const std::map<sb4, std::string> kTexts = {
        {1017, "ORA-01017: invalid username/password; logon denied"},
        {12154, "ORA-12154: TNS:could not resolve the connect identifier specified"}};
    const std::string port = Port();
    const std::string db = Database();
    const LogonCase cases[] = {
        {"password", "LUMIDEX", "hr", "hr", OCI_DEFAULT, 0, "hr"},
        {"alias in other case", "Lumidex", "HR", "hr", OCI_DEFAULT, 0, "hr"},
        {"alias with domain, SID", "LUMIDEX.WORLD", "app", "app", OCI_DEFAULT, 0, "app"},
        {"easy connect, socket folder and port", SocketDir() + ":" + port + "/" + db, "hr", "hr", OCI_DEFAULT, 0, "hr"},
        {"connect descriptor", "(DESCRIPTION = (ADDRESS = (PROTOCOL = IPC)(KEY = " + SocketDir() +
             "))(CONNECT_DATA = (SID = " + db + ")))", "hr", "hr", OCI_DEFAULT, 0, "hr"},
        {"SYSDBA for a superuser", "LUMIDEX", AdminUser().c_str(), AdminPassword().c_str(), OCI_SYSDBA, 0, AdminUser()},
        {"blank user and password: the operating-system account", "LUMIDEX", "", "", OCI_DEFAULT, 0, OsUser()},
        {"wrong password", "LUMIDEX", "hr", "wrong", OCI_DEFAULT, 1017, ""},
        {"unknown user", "LUMIDEX", "nobody", "x", OCI_DEFAULT, 1017, ""},
        {"quoted name is taken as written", "LUMIDEX", "\"HR\"", "hr", OCI_DEFAULT, 1017, ""},
        {"blank password", "LUMIDEX", "hr", "", OCI_DEFAULT, 1005, ""},
        {"SYSDBA refused", "LUMIDEX", "hr", "hr", OCI_SYSDBA, 1031, ""},
        {"SYSOPER refused", "LUMIDEX", "hr", "hr", OCI_SYSOPER, 1031, ""},
        {"unknown login mode", "LUMIDEX", "hr", "hr", 0x1000, 24300, ""},
        {"unknown alias", "NOSUCHALIAS", "hr", "hr", OCI_DEFAULT, 12154, ""},
        {"unknown database", "NODB", "hr", "hr", OCI_DEFAULT, 12514, ""},
        {"nothing listens", "NOLISTENER", "hr", "hr", OCI_DEFAULT, 12541, ""},
    };
    for (const LogonCase& c : cases) {
        SCOPED_TRACE(c.m_szName);
        Session session;
        const sword status = session.Connect(c.m_strService, c.m_szUser, c.m_szPassword, c.m_nMode);
        sb4 code = 0;
        const std::string text = session.Error(&code);
        if (c.m_nCode == 0) {
            ASSERT_EQ(status, OCI_SUCCESS) << text;
            EXPECT_EQ(session.Value("select current_user"), c.m_strRole);
        } else {
            EXPECT_EQ(status, OCI_ERROR);
            EXPECT_EQ(code, c.m_nCode) << text;
            char prefix[16];
            std::snprintf(prefix, sizeof prefix, "ORA-%05d: ", static_cast<int>(c.m_nCode));
            EXPECT_EQ(text.rfind(prefix, 0), 0u) << text;
            EXPECT_EQ(text.back(), '\n');
            if (const auto known = kTexts.find(c.m_nCode); known != kTexts.end()) {
                EXPECT_EQ(FirstLine(text), known->second);
            }
        }
    }
}

// A tnsnames.ora of its own: comments, two names for one entry, an address
// list whose first address does not answer.
TEST(OcipgConnect, TnsNamesRules)
{
    const std::string dir = Dir() + "/ocipg-tns";
    std::system(("mkdir -p '" + dir + "'").c_str());
    std::ofstream(dir + "/tnsnames.ora")
        << "# comment line\n\n"
           "FIRST, second.example =   # two names\n"
           "  (DESCRIPTION =\n"
           "    (ADDRESS_LIST =\n"
           "      (ADDRESS = (PROTOCOL = TCP)(HOST = 127.0.0.1)(PORT = 1))\n"
           "      (ADDRESS = (PROTOCOL = IPC)(KEY = " << SocketDir() << "))\n"
           "    )\n"
           "    (CONNECT_DATA = (SERVICE_NAME = " << Database() << "))\n"
           "  )\n";
    ScopedEnv tnsAdmin("TNS_ADMIN", dir);
    for (const char* alias : {"first", "SECOND.EXAMPLE"}) {
        SCOPED_TRACE(alias);
        Session session;
        EXPECT_EQ(session.Connect(alias, "hr", "hr"), OCI_SUCCESS) << session.Error();
    }
    Session withoutDomain;
    EXPECT_EQ(withoutDomain.Connect("second", "hr", "hr"), OCI_ERROR);
    // $ORACLE_HOME/network/admin when TNS_ADMIN has none.
    ScopedEnv noTnsAdmin("TNS_ADMIN", "/nonexistent");
    std::system(("mkdir -p '" + dir + "/home/network/admin' && cp '" + dir + "/tnsnames.ora' '" + dir +
                 "/home/network/admin/'").c_str());
    ScopedEnv oracleHome("ORACLE_HOME", dir + "/home");
    Session fromHome;
    EXPECT_EQ(fromHome.Connect("FIRST", "hr", "hr"), OCI_SUCCESS) << fromHome.Error();
}

// Texts reach the caller in the character set NLS_LANG names. US7ASCII,
// also when NLS_LANG is unset or names no character set, turns each other
// character into '?'; an unknown character set or a malformed NLS_LANG fails
// the logon.
TEST(OcipgConnect, ClientCharacterSetFromNlsLang)
{
    struct Case {
        std::optional<std::string> m_nlsLang;
        const char* m_szLatin;  // René, Zürich Office
        const char* m_szCjk;    // 日本; null: not in the character set
        sb4 m_nCode;
    };
    const Case cases[] = {
        {"AMERICAN_AMERICA.AL32UTF8", "Ren\xc3\xa9, Z\xc3\xbcrich Office", "\xe6\x97\xa5\xe6\x9c\xac", 0},
        {"american_america.al32utf8", "Ren\xc3\xa9, Z\xc3\xbcrich Office", nullptr, 0},
        {".AL32UTF8", "Ren\xc3\xa9, Z\xc3\xbcrich Office", nullptr, 0},
        {"FRENCH_FRANCE.WE8ISO8859P1", "Ren\xe9, Z\xfcrich Office", nullptr, 0},
        {"GERMAN_GERMANY.WE8MSWIN1252", "Ren\xe9, Z\xfcrich Office", nullptr, 0},
        {std::nullopt, "Ren?, Z?rich Office", "??", 0},
        {"", "Ren?, Z?rich Office", "??", 0},
        {"AMERICAN_AMERICA.US7ASCII", "Ren?, Z?rich Office", "??", 0},
        {"AMERICAN_AMERICA", "Ren?, Z?rich Office", "??", 0},
        {"AMERICAN_AMERICA.XX9NOSUCH", nullptr, nullptr, 12705},
        {"en_US.UTF-8", nullptr, nullptr, 12705},
        {"AMERICAN.AMERICA.AL32UTF8", nullptr, nullptr, 12705},
        {"AMERICAN_AMERICA.", nullptr, nullptr, 12705},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m_nlsLang.value_or("(unset)"));
        ScopedEnv nlsLang("NLS_LANG", c.m_nlsLang);
        Session session;
        const sword status = session.Connect("LUMIDEX", "hr", "hr");
        sb4 code = 0;
        const std::string text = session.Error(&code);
        if (c.m_nCode) {
            EXPECT_EQ(status, OCI_ERROR);
            EXPECT_EQ(code, c.m_nCode);
            EXPECT_EQ(FirstLine(text), "ORA-12705: Cannot access NLS data files or invalid environment specified");
            continue;
        }
        ASSERT_EQ(status, OCI_SUCCESS) << text;
        EXPECT_EQ(session.Value("select e.first_name || ', ' || d.department_name from hr.employees e, hr.departments d "
                                "where e.employee_id = 2 and d.department_id = 40"),
                  c.m_szLatin);
        if (c.m_szCjk) {
            EXPECT_EQ(session.Value("select last_name from hr.employees where employee_id = 3"), c.m_szCjk);
        }
    }
}

// Under US7ASCII a program's bytes above 127 are no characters: each one
// reaches the server as '?'.
TEST(OcipgConnect, Us7AsciiStatementText)
{
    ScopedEnv nlsLang("NLS_LANG", std::nullopt);
    Session session;
    ASSERT_EQ(session.Connect("LUMIDEX", "hr", "hr"), OCI_SUCCESS) << session.Error();
    EXPECT_EQ(session.Value("select 'Z\xc3\xbcrich', count(*) from hr.departments where department_name = 'Z\xc3\xbcrich Office'"),
              "Z??rich");
    EXPECT_EQ(session.Value("select count(*) from hr.departments where department_name = 'Z\xc3\xbcrich Office'"), "0");

    // Bound values alike.
    TestStatement stmt(session, "select :1 from dual");
    char city[] = "Z\xc3\xbcrich";
    OCIBind* bind = nullptr;
    ASSERT_EQ(OCIBindByPos(stmt.Handle(), &bind, session.ErrorHandle(), 1, city, sizeof city, SQLT_STR, nullptr,
                              nullptr, nullptr, 0, nullptr, OCI_DEFAULT),
              OCI_SUCCESS);
    char value[16] = {};
    sb2 indicator = 0;
    ASSERT_EQ(stmt.Define(1, value, sizeof value, &indicator), OCI_SUCCESS);
    ASSERT_EQ(stmt.Execute(), OCI_SUCCESS) << session.Error();
    ASSERT_EQ(stmt.Fetch(), OCI_SUCCESS) << session.Error();
    EXPECT_STREQ(value, "Z??rich");
}

// Oracle's grace period: a password that expires within 7 days logs on with
// a warning, in whole days rounded up, and the session works.
TEST(OcipgConnect, ExpiringPasswordWarns)
{
    struct Case {
        const char* m_szValidFor;
        sword m_nStatus;
        const char* m_szWarning;
    };
    const Case cases[] = {
        {"3 days", OCI_SUCCESS_WITH_INFO, "ORA-28002: the password will expire within 3 days\n"},
        {"2 hours", OCI_SUCCESS_WITH_INFO, "ORA-28002: the password will expire within 1 days\n"},
        {"30 days", OCI_SUCCESS, ""},
    };
    const AdminCleanup dropRole("DROP ROLE IF EXISTS ocipg_expiring");
    ASSERT_EQ(AdminValue("CREATE ROLE ocipg_expiring LOGIN PASSWORD 'secret'"), "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m_szValidFor);
        ASSERT_EQ(AdminValue(std::string("DO $$BEGIN EXECUTE format('ALTER ROLE ocipg_expiring VALID UNTIL %L', "
                                         "now() + interval '") +
                             c.m_szValidFor + "'); END$$"),
                  "");
        Session session;
        sb4 code = 0;
        EXPECT_EQ(session.Connect("LUMIDEX", "ocipg_expiring", "secret"), c.m_nStatus);
        EXPECT_EQ(session.Error(&code), c.m_szWarning);
        EXPECT_EQ(code, c.m_nStatus == OCI_SUCCESS ? 0 : 28002);
        EXPECT_EQ(session.Value("select current_user"), "ocipg_expiring");
    }
}

}  // namespace
}  // namespace ocitest
