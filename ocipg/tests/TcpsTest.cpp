#include "ocipg/tests/OcipgTest.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <future>

namespace ocitest {
namespace {

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

// Serves on the listening socket as a server that cannot prove itself: it
// refuses TLS and asks for the password in clear. Once the socket is shut
// down, all its clients sent.
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

// TCPS means a server that proves itself: one that refuses TLS fails the
// logon before the password leaves.
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
    EXPECT_EQ(session.Connect(descriptor, "hr", password), OCI_ERROR);
    sb4 code = 0;
    EXPECT_EQ(FirstLine(session.Error(&code)), "ORA-29024: Certificate validation failure");
    EXPECT_EQ(code, 29024);
    shutdown(listening, SHUT_RDWR);
    const std::string bytes = received.get();
    close(listening);
    EXPECT_GE(bytes.size(), 8u);  // the TLS request
    EXPECT_EQ(bytes.find(password), std::string::npos);
}

// A server that takes TLS only: TCPS logs on when the trust anchor
// (PGSSLROOTCERT) signed the server's certificate for the host named, and
// then only; TCP never tries TLS.
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
        const char* m_szResult;  // whether the session's connection is TLS, or the error's number
    } cases[] = {
        {"TCPS", "127.0.0.1", "ca", "t"},
        {"TCPS", "127.0.0.1", "other-ca", "29024"},
        {"TCPS", "127.0.0.1", "missing", "29024"},
        {"TCPS", "localhost", "ca", "29024"},  // the certificate is for 127.0.0.1
        {"TCP", "127.0.0.1", "ca", "1017"},    // no TLS, no entry in pg_hba.conf
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.m_szProtocol) + " " + c.m_szHost + " " + c.m_szRootCert);
        ScopedEnv rootCert("PGSSLROOTCERT", dir + "/" + c.m_szRootCert + ".crt");
        const std::string descriptor = std::string("(DESCRIPTION = (ADDRESS = (PROTOCOL = ") + c.m_szProtocol +
                                       ")(HOST = " + c.m_szHost + ")(PORT = " + std::to_string(port) +
                                       "))(CONNECT_DATA = (SERVICE_NAME = postgres)))";
        Session session;
        sb4 code = 0;
        const bool ok = session.Connect(descriptor, "postgres", "trusted") == OCI_SUCCESS;
        const std::string text = session.Error(&code);
        EXPECT_EQ(ok ? session.Value("select ssl from pg_stat_ssl where pid = pg_backend_pid()") : std::to_string(code),
                  c.m_szResult)
            << text;
    }
}

}  // namespace
}  // namespace ocitest
