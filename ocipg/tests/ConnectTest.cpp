// Logons: targets, credentials, modes, the client's character set, and TCPS to servers that must prove themselves.
#include "ocipg/tests/OcipgTest.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

using namespace ocitest;

namespace {

// Logs on: the current user (" over TLS" added when so), or the error's first line, checked for number and ending.
std::string Logon(Session& session, const std::string& service, const std::string& user,
                  const std::string& password, ub4 mode = OCI_DEFAULT)
{
    if (session.Connect(service, user, password, mode) == OCI_SUCCESS)
        return session.Value("select current_user || coalesce((select ' over TLS' from pg_stat_ssl "
                             "where pid = pg_backend_pid() and ssl), '')");
    sb4 code = 0;
    const std::string text = session.Error(&code);
    EXPECT_EQ(text.substr(0, 10), "ORA-" + std::to_string(100000 + code).substr(1) + ":") << text;
    EXPECT_EQ(text.back(), '\n');
    return FirstLine(text);
}

// One logon per kind of target and credential; the resolution of connect strings itself is ConnectStringTest's.
TEST(OcipgConnect, LogonVariants)
{
    // Passwords expiring in 2 hours (warned of as 1 day) and 30 days (no warning); per process: valgrind runs it too.
    const std::string expiring = "ocipg_expiring" + std::to_string(getpid()) + "_";
    for (const char* in : {"2 hours", "30 days"})
        AdminValue("DO $$BEGIN EXECUTE format('CREATE ROLE %I LOGIN PASSWORD ''x'' VALID UNTIL %L', '" + expiring +
                   in[0] + "', now() + interval '" + in + "'); END$$");
    const std::string db = Database();
    const std::string ipc = "(ADDRESS = (PROTOCOL = IPC)(KEY = " + SocketDir() + "))";
    const std::string denied = "ORA-01017: invalid username/password; logon denied";
    const struct {
        const char* m_szName;
        std::string m_strService;
        std::string m_strUser;
        std::string m_strPassword;
        std::string m_strResult;
        ub4 m_nMode = OCI_DEFAULT;
    } cases[] = {
        {"password", "LUMIDEX", "hr", "hr", "hr"},
        {"alias in other case, user in other case", "Lumidex", "HR", "hr", "hr"},
        {"easy connect, socket folder and port", SocketDir() + ":" + Port() + "/" + db, "hr", "hr", "hr"},
        {"connect descriptor", "(DESCRIPTION = " + ipc + "(CONNECT_DATA = (SID = " + db + ")))", "hr", "hr", "hr"},
        {"address list whose first address does not answer",
         "(DESCRIPTION = (ADDRESS_LIST = (ADDRESS = (PROTOCOL = TCP)(HOST = 127.0.0.1)(PORT = 1))" + ipc +
             ")(CONNECT_DATA = (SERVICE_NAME = " + db + ")))",
         "hr", "hr", "hr"},
        {"SYSDBA for a superuser", "LUMIDEX", AdminUser(), AdminPassword(), AdminUser(), OCI_SYSDBA},
        {"blank user and password: the operating-system account", "LUMIDEX", "", "", getpwuid(geteuid())->pw_name},
        {"wrong password", "LUMIDEX", "hr", "wrong", denied},
        {"unknown user", "LUMIDEX", "nobody", "x", denied},
        {"quoted name is taken as written", "LUMIDEX", "\"HR\"", "hr", denied},
        {"blank password", "LUMIDEX", "hr", "", "ORA-01005: null password given; logon denied"},
        {"password expires in 2 hours", "LUMIDEX", expiring + "2", "x",
         "ORA-28002: the password will expire within 1 days"},
        {"password expires in 30 days", "LUMIDEX", expiring + "3", "x", expiring + "3"},
        {"SYSDBA refused", "LUMIDEX", "hr", "hr", "ORA-01031: insufficient privileges", OCI_SYSDBA},
        {"SYSOPER refused", "LUMIDEX", "hr", "hr", "ORA-01031: insufficient privileges", OCI_SYSOPER},
        {"unknown login mode", "LUMIDEX", "hr", "hr", "ORA-24300: bad value for mode", 0x1000},
        {"unknown alias", "NOSUCHALIAS", "hr", "hr",
         "ORA-12154: TNS:could not resolve the connect identifier specified"},
        {"unknown database", "NODB", "hr", "hr",
         "ORA-12514: TNS:listener does not currently know of service requested in connect descriptor"},
        {"nothing listens", "NOLISTENER", "hr", "hr", "ORA-12541: TNS:no listener"},
    };
    for (const auto& c : cases) {
        Session session;
        EXPECT_EQ(Logon(session, c.m_strService, c.m_strUser, c.m_strPassword, c.m_nMode), c.m_strResult) << c.m_szName;
    }
    AdminValue("DROP ROLE " + expiring + "2, " + expiring + "3");
}

// Texts and bound values cross in NLS_LANG's character set. US7ASCII, also when NLS_LANG names none, turns each other
// character, and each byte above 127 from the program, into '?'; an unknown or malformed NLS_LANG fails the logon.
TEST(OcipgConnect, ClientCharacterSetFromNlsLang)
{
    // René, Zürich Office from the server; Zürich in UTF-8, bound and in the text.
    const std::string utf8 = "Ren\xc3\xa9, Z\xc3\xbcrich Office; Z\xc3\xbcrich Z\xc3\xbcrich";
    const std::string latin1 = "Ren\xe9, Z\xfcrich Office; Z\xc3\xbcrich Z\xc3\xbcrich";
    const std::string ascii = "Ren?, Z?rich Office; Z??rich Z??rich";
    const std::string refused = "ORA-12705: Cannot access NLS data files or invalid environment specified";
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {"AMERICAN_AMERICA.AL32UTF8", utf8},
        {"american_america.al32utf8", utf8},
        {".AL32UTF8", utf8},
        {"FRENCH_FRANCE.WE8ISO8859P1", latin1},
        {"GERMAN_GERMANY.WE8MSWIN1252", latin1},
        {std::nullopt, ascii},
        {"", ascii},
        {"AMERICAN_AMERICA.US7ASCII", ascii},
        {"AMERICAN_AMERICA", ascii},
        {"AMERICAN_AMERICA.XX9NOSUCH", refused},
        {"en_US.UTF-8", refused},
        {"AMERICAN.AMERICA.AL32UTF8", refused},
        {"AMERICAN_AMERICA.", refused},
    };
    for (const auto& [nlsLang, expected] : cases) {
        SCOPED_TRACE(nlsLang.value_or("(unset)"));
        ScopedEnv env("NLS_LANG", nlsLang);
        Session session;
        const std::string logon = Logon(session, "LUMIDEX", "hr", "hr");
        if (logon != "hr") {
            EXPECT_EQ(logon, expected);
            continue;
        }
        Statement stmt(session, "select e.first_name || ', ' || d.department_name || '; ' || :1 || ' Z\xc3\xbcrich' "
                                "from hr.employees e, hr.departments d "
                                "where e.employee_id = 2 and d.department_id = 40");
        char city[] = "Z\xc3\xbcrich";
        OCIBind* bind = nullptr;
        ASSERT_EQ(OCIBindByPos(stmt.Handle(), &bind, session.ErrorHandle(), 1, city, sizeof city, SQLT_STR, nullptr,
                               nullptr, nullptr, 0, nullptr, OCI_DEFAULT),
                  OCI_SUCCESS);
        char value[64] = {};
        sb2 indicator = 0;
        ASSERT_EQ(stmt.Define(1, value, sizeof value, &indicator), OCI_SUCCESS);
        ASSERT_EQ(stmt.Execute(), OCI_SUCCESS) << session.Error();
        ASSERT_EQ(stmt.Fetch(), OCI_SUCCESS) << session.Error();
        EXPECT_EQ(value, expected);
    }
}

// A port of 127.0.0.1 that was free a moment ago; 0 when none was found.
int FreePort()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
                       getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0;
    close(fd);
    return bound ? ntohs(address.sin_port) : 0;
}

// A server that takes TLS only: TCPS logs on when the trust anchor (PGSSLROOTCERT) signed the server's certificate
// for the host named, and then only; TCP never tries TLS. A failed TCPS logon never falls back to a connection
// without TLS: that would fail as the TCP case does, not with ORA-29024.
TEST(OcipgTcps, OnlyAVerifiedServer)
{
    const std::string dir = Dir() + "/tls";
    const std::string script = "bash '" + FixtureScript("tlsserver.sh") + "' ";
    const int port = FreePort();
    struct Destroy {
        std::string m_strCommand;
        ~Destroy() { std::system(m_strCommand.c_str()); }
    } destroy{script + "destroy '" + dir + "'"};
    ASSERT_EQ(std::system((script + "start '" + dir + "' " + std::to_string(port) + " >/dev/null").c_str()), 0);
    const struct {
        const char* m_szProtocol;
        const char* m_szHost;
        const char* m_szRootCert;
        const char* m_szResult;
    } cases[] = {
        {"TCPS", "127.0.0.1", "ca", "postgres over TLS"},
        {"TCPS", "127.0.0.1", "other-ca", "ORA-29024: Certificate validation failure"},
        {"TCPS", "127.0.0.1", "missing", "ORA-29024: Certificate validation failure"},
        {"TCPS", "localhost", "ca", "ORA-29024: Certificate validation failure"},  // the certificate is for 127.0.0.1
        {"TCP", "127.0.0.1", "ca", "ORA-01017: invalid username/password; logon denied"},  // not in pg_hba.conf
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.m_szProtocol) + " " + c.m_szHost + " " + c.m_szRootCert);
        ScopedEnv rootCert("PGSSLROOTCERT", dir + "/" + c.m_szRootCert + ".crt");
        Session session;
        EXPECT_EQ(Logon(session, std::string("(DESCRIPTION = (ADDRESS = (PROTOCOL = ") + c.m_szProtocol + ")(HOST = " +
                                     c.m_szHost + ")(PORT = " + std::to_string(port) +
                                     "))(CONNECT_DATA = (SERVICE_NAME = postgres)))",
                        "postgres", "trusted"),
                  c.m_szResult);
    }
}

}  // namespace
