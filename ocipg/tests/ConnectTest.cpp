// Logons: targets, credentials, modes, the client's character set, and TCPS to servers that must prove themselves.
#include "ocipg/tests/OcipgTest.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <future>
#include <optional>

namespace ocitest {
namespace {

// Logs on; "<current user>", with " over TLS" when the connection is, or the error's first line, checked against its
// number and its ending.
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
        {"alias in other case", "Lumidex", "HR", "hr", "hr"},
        {"alias with domain, SID", "LUMIDEX.WORLD", "app", "app", "app"},
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
}

// Texts reach the caller in the character set NLS_LANG names, and the program's texts and bound values reach the
// server from it. US7ASCII, also when NLS_LANG is unset or names no character set, turns each other character, and
// each byte above 127 of the program's, into '?'; an unknown character set or a malformed NLS_LANG fails the logon.
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

// A socket listening on a port of 127.0.0.1 the system chose; port 0 when that failed.
int ListenOnLoopback(int& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 && listen(fd, 4) == 0 &&
                       getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0;
    port = bound ? ntohs(address.sin_port) : 0;
    return fd;
}

// Serves on the listening socket as a server that cannot prove itself: it refuses TLS and asks for the password in
// clear. Once the socket is shut down, all its clients sent.
std::string ServeAsImpostor(int listening)
{
    static const char kTlsRequest[] = {0, 0, 0, 8, 0x04, '\xd2', 0x16, 0x2f};  // code 80877103
    static const std::string kCleartextPassword("R\0\0\0\x08\0\0\0\x03", 9);
    std::string received;
    for (int client; (client = accept(listening, nullptr, nullptr)) >= 0; close(client)) {
        const timeval timeout{5, 0};
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        char buffer[512];
        ssize_t n;
        for (bool asked = false; (n = read(client, buffer, sizeof buffer)) > 0;) {
            received.append(buffer, static_cast<size_t>(n));
            const bool tls = n == 8 && std::memcmp(buffer, kTlsRequest, 8) == 0;
            const std::string answer = tls ? "N" : asked ? "" : kCleartextPassword;
            asked = asked || !tls;
            if (write(client, answer.data(), answer.size()) < 0)
                break;
        }
    }
    return received;
}

// TCPS means a server that proves itself: one that refuses TLS fails the logon before the password leaves.
TEST(OcipgTcps, ServerRefusingTlsNeverSeesThePassword)
{
    int port = 0;
    const int listening = ListenOnLoopback(port);
    ASSERT_NE(port, 0);
    std::future<std::string> received = std::async(std::launch::async, ServeAsImpostor, listening);
    const std::string descriptor = "(DESCRIPTION = (ADDRESS = (PROTOCOL = TCPS)(HOST = 127.0.0.1)(PORT = " +
                                   std::to_string(port) + "))(CONNECT_DATA = (SERVICE_NAME = lumidex)))";
    const std::string password = "impostor-must-not-see-this";
    Session session;
    EXPECT_EQ(Logon(session, descriptor, "hr", password), "ORA-29024: Certificate validation failure");
    shutdown(listening, SHUT_RDWR);
    const std::string bytes = received.get();
    close(listening);
    EXPECT_GE(bytes.size(), 8u);  // the TLS request
    EXPECT_EQ(bytes.find(password), std::string::npos);
}

// A server that takes TLS only: TCPS logs on when the trust anchor (PGSSLROOTCERT) signed the server's certificate
// for the host named, and then only; TCP never tries TLS.
TEST(OcipgTcps, OnlyAVerifiedServer)
{
    const std::string dir = Dir() + "/tls";
    const std::string script = "bash '" + FixtureScript("tlsserver.sh") + "' ";
    int port = 0;
    close(ListenOnLoopback(port));
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
}  // namespace ocitest
