#include "ocipg/tests/OcipgTest.h"

#include <pwd.h>
#include <unistd.h>

#include <cstring>
#include <optional>

namespace ocitest {
namespace {

struct LogonCase {
    const char* m_szName;
    std::string m_strService;
    const char* m_szUser;
    const char* m_szPassword;
    ub4 m_nMode;
    std::string m_strResult;  // current_user once logged on, or the error's first line
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
    const std::string db = Database();
    const std::string ipc = "(ADDRESS = (PROTOCOL = IPC)(KEY = " + SocketDir() + "))";
    const LogonCase cases[] = {
        {"password", "LUMIDEX", "hr", "hr", OCI_DEFAULT, "hr"},
        {"alias in other case", "Lumidex", "HR", "hr", OCI_DEFAULT, "hr"},
        {"alias with domain, SID", "LUMIDEX.WORLD", "app", "app", OCI_DEFAULT, "app"},
        {"easy connect, socket folder and port", SocketDir() + ":" + Port() + "/" + db, "hr", "hr", OCI_DEFAULT, "hr"},
        {"connect descriptor", "(DESCRIPTION = " + ipc + "(CONNECT_DATA = (SID = " + db + ")))", "hr", "hr",
         OCI_DEFAULT, "hr"},
        {"address list whose first address does not answer",
         "(DESCRIPTION = (ADDRESS_LIST = (ADDRESS = (PROTOCOL = TCP)(HOST = 127.0.0.1)(PORT = 1))" + ipc +
             ")(CONNECT_DATA = (SERVICE_NAME = " + db + ")))",
         "hr", "hr", OCI_DEFAULT, "hr"},
        {"SYSDBA for a superuser", "LUMIDEX", AdminUser().c_str(), AdminPassword().c_str(), OCI_SYSDBA, AdminUser()},
        {"blank user and password: the operating-system account", "LUMIDEX", "", "", OCI_DEFAULT, OsUser()},
        {"wrong password", "LUMIDEX", "hr", "wrong", OCI_DEFAULT, "ORA-01017: invalid username/password; logon denied"},
        {"unknown user", "LUMIDEX", "nobody", "x", OCI_DEFAULT, "ORA-01017: invalid username/password; logon denied"},
        {"quoted name is taken as written", "LUMIDEX", "\"HR\"", "hr", OCI_DEFAULT,
         "ORA-01017: invalid username/password; logon denied"},
        {"blank password", "LUMIDEX", "hr", "", OCI_DEFAULT, "ORA-01005: null password given; logon denied"},
        {"SYSDBA refused", "LUMIDEX", "hr", "hr", OCI_SYSDBA, "ORA-01031: insufficient privileges"},
        {"SYSOPER refused", "LUMIDEX", "hr", "hr", OCI_SYSOPER, "ORA-01031: insufficient privileges"},
        {"unknown login mode", "LUMIDEX", "hr", "hr", 0x1000, "ORA-24300: bad value for mode"},
        {"unknown alias", "NOSUCHALIAS", "hr", "hr", OCI_DEFAULT,
         "ORA-12154: TNS:could not resolve the connect identifier specified"},
        {"unknown database", "NODB", "hr", "hr", OCI_DEFAULT,
         "ORA-12514: TNS:listener does not currently know of service requested in connect descriptor"},
        {"nothing listens", "NOLISTENER", "hr", "hr", OCI_DEFAULT, "ORA-12541: TNS:no listener"},
    };
    for (const LogonCase& c : cases) {
        SCOPED_TRACE(c.m_szName);
        Session session;
        const sword status = session.Connect(c.m_strService, c.m_szUser, c.m_szPassword, c.m_nMode);
        sb4 code = 0;
        const std::string text = session.Error(&code);
        if (c.m_strResult.rfind("ORA-", 0) != 0) {
            ASSERT_EQ(status, OCI_SUCCESS) << text;
            EXPECT_EQ(session.Value("select current_user"), c.m_strResult);
            continue;
        }
        EXPECT_EQ(status, OCI_ERROR);
        EXPECT_EQ(code, std::stoi(c.m_strResult.substr(4, 5)));
        EXPECT_EQ(FirstLine(text), c.m_strResult);
        EXPECT_EQ(text.back(), '\n');
    }
}

// Texts reach the caller in the character set NLS_LANG names, and the
// program's texts and bound values reach the server from it. US7ASCII, also
// when NLS_LANG is unset or names no character set, turns each other
// character, and each byte above 127 of the program's, into '?'; an unknown
// character set or a malformed NLS_LANG fails the logon.
TEST(OcipgConnect, ClientCharacterSetFromNlsLang)
{
    struct Case {
        std::optional<std::string> m_nlsLang;
        const char* m_szLatin;  // René, Zürich Office; null: the logon fails with ORA-12705
        const char* m_szCjk;    // 日本; null: not in the character set
    };
    const Case cases[] = {
        {"AMERICAN_AMERICA.AL32UTF8", "Ren\xc3\xa9, Z\xc3\xbcrich Office", "\xe6\x97\xa5\xe6\x9c\xac"},
        {"american_america.al32utf8", "Ren\xc3\xa9, Z\xc3\xbcrich Office", nullptr},
        {".AL32UTF8", "Ren\xc3\xa9, Z\xc3\xbcrich Office", nullptr},
        {"FRENCH_FRANCE.WE8ISO8859P1", "Ren\xe9, Z\xfcrich Office", nullptr},
        {"GERMAN_GERMANY.WE8MSWIN1252", "Ren\xe9, Z\xfcrich Office", nullptr},
        {std::nullopt, "Ren?, Z?rich Office", "??"},
        {"", "Ren?, Z?rich Office", "??"},
        {"AMERICAN_AMERICA.US7ASCII", "Ren?, Z?rich Office", "??"},
        {"AMERICAN_AMERICA", "Ren?, Z?rich Office", "??"},
        {"AMERICAN_AMERICA.XX9NOSUCH", nullptr, nullptr},
        {"en_US.UTF-8", nullptr, nullptr},
        {"AMERICAN.AMERICA.AL32UTF8", nullptr, nullptr},
        {"AMERICAN_AMERICA.", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m_nlsLang.value_or("(unset)"));
        ScopedEnv nlsLang("NLS_LANG", c.m_nlsLang);
        Session session;
        const sword status = session.Connect("LUMIDEX", "hr", "hr");
        sb4 code = 0;
        const std::string text = session.Error(&code);
        if (!c.m_szLatin) {
            EXPECT_EQ(status, OCI_ERROR);
            EXPECT_EQ(code, 12705);
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
        // Zürich in UTF-8: two characters in a single-byte character set, two '?' in US7ASCII.
        Statement stmt(session, "select :1 || ' ' || 'Z\xc3\xbcrich' from dual");
        char city[] = "Z\xc3\xbcrich";
        OCIBind* bind = nullptr;
        ASSERT_EQ(OCIBindByPos(stmt.Handle(), &bind, session.ErrorHandle(), 1, city, sizeof city, SQLT_STR, nullptr,
                               nullptr, nullptr, 0, nullptr, OCI_DEFAULT),
                  OCI_SUCCESS);
        char value[32] = {};
        sb2 indicator = 0;
        ASSERT_EQ(stmt.Define(1, value, sizeof value, &indicator), OCI_SUCCESS);
        ASSERT_EQ(stmt.Execute(), OCI_SUCCESS) << session.Error();
        ASSERT_EQ(stmt.Fetch(), OCI_SUCCESS) << session.Error();
        const bool ascii = std::strchr(c.m_szLatin, '?') != nullptr;
        EXPECT_STREQ(value, ascii ? "Z??rich Z??rich" : "Z\xc3\xbcrich Z\xc3\xbcrich");
    }
}

// Oracle's grace period: a password that expires within 7 days logs on with
// a warning, in whole days rounded up, and the session works.
TEST(OcipgConnect, ExpiringPasswordWarns)
{
    const std::pair<const char*, std::string> cases[] = {
        {"3 days", "ORA-28002: the password will expire within 3 days\n"},
        {"2 hours", "ORA-28002: the password will expire within 1 days\n"},
        {"30 days", ""},
    };
    const AdminCleanup dropRole("DROP ROLE IF EXISTS ocipg_expiring");
    ASSERT_EQ(AdminValue("CREATE ROLE ocipg_expiring LOGIN PASSWORD 'secret'"), "");
    for (const auto& [validFor, warning] : cases) {
        SCOPED_TRACE(validFor);
        ASSERT_EQ(AdminValue(std::string("DO $$BEGIN EXECUTE format('ALTER ROLE ocipg_expiring VALID UNTIL %L', "
                                         "now() + interval '") + validFor + "'); END$$"),
                  "");
        Session session;
        sb4 code = 0;
        EXPECT_EQ(session.Connect("LUMIDEX", "ocipg_expiring", "secret"),
                  warning.empty() ? OCI_SUCCESS : OCI_SUCCESS_WITH_INFO);
        EXPECT_EQ(session.Error(&code), warning);
        EXPECT_EQ(code, warning.empty() ? 0 : 28002);
        EXPECT_EQ(session.Value("select current_user"), "ocipg_expiring");
    }
}

}  // namespace
}  // namespace ocitest
