#include "ocipg/tests/OcipgTest.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <thread>

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

// A server on a loopback port that cannot prove itself: it refuses TLS
// and asks for the password in clear. It keeps every byte its clients send.
class ImpostorServer {
public:
    ImpostorServer() : m_nListen(ListenOnLoopback(m_nPort)), m_thread([this] { Serve(); }) {}
    ~ImpostorServer() { Stop(); }
    ImpostorServer(const ImpostorServer&) = delete;
    ImpostorServer& operator=(const ImpostorServer&) = delete;

    int Port() const { return m_nPort; }
    // Takes no more clients and waits until the last hung up; what they sent.
    std::string Stop()
    {
        if (m_thread.joinable()) {
            shutdown(m_nListen, SHUT_RDWR);
            m_thread.join();
            close(m_nListen);
        }
        return m_strReceived;
    }

private:
    void Serve()
    {
        for (int client; (client = accept(m_nListen, nullptr, nullptr)) >= 0; close(client)) {
            const timeval timeout{5, 0};
            setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
            Talk(client);
        }
    }

    // The first messages carry no type byte: the TLS request (code 80877103)
    // gets 'N', the startup message the request for the password in clear;
    // what follows is only kept.
    void Talk(int client)
    {
        static const std::string kCleartextPassword("R\0\0\0\x08\0\0\0\x03", 9);
        std::string length;
        std::string body;
        for (bool tls = true; tls && Read(client, 4, length) && Read(client, Word(length) - 4, body);) {
            tls = body.size() == 4 && Word(body) == 80877103u;
            const std::string& answer = tls ? "N" : kCleartextPassword;
            if (write(client, answer.data(), answer.size()) != static_cast<ssize_t>(answer.size()))
                return;
        }
        while (Read(client, 1, body)) {
        }
    }

    // Reads size bytes and keeps them; false at the end, on a timeout, or
    // for a size no message has.
    bool Read(int fd, uint32_t size, std::string& bytes)
    {
        bytes.assign(size > 10000 ? 0 : size, '\0');
        for (size_t done = 0; done < bytes.size();) {
            const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0)
                return false;
            m_strReceived.append(bytes, done, static_cast<size_t>(n));
            done += static_cast<size_t>(n);
        }
        return size <= 10000;
    }

    static uint32_t Word(const std::string& bytes)
    {
        uint32_t word = 0;
        std::memcpy(&word, bytes.data(), sizeof word);
        return ntohl(word);
    }

    int m_nPort = 0;
    int m_nListen;
    std::string m_strReceived;
    std::thread m_thread;
};

// TCPS means a server that proves itself: one that refuses TLS fails the
// logon before the password leaves.
TEST(OcipgTcps, ServerRefusingTlsNeverSeesThePassword)
{
    ImpostorServer server;
    ASSERT_NE(server.Port(), 0);
    const std::string descriptor = "(DESCRIPTION = (ADDRESS = (PROTOCOL = TCPS)(HOST = 127.0.0.1)(PORT = " +
                                   std::to_string(server.Port()) + "))(CONNECT_DATA = (SERVICE_NAME = lumidex)))";
    const std::string password = "impostor-must-not-see-this";
    Session session;
    EXPECT_EQ(session.Connect(descriptor, "hr", password), OCI_ERROR);
    sb4 code = 0;
    EXPECT_EQ(FirstLine(session.Error(&code)), "ORA-29024: Certificate validation failure");
    EXPECT_EQ(code, 29024);
    const std::string received = server.Stop();
    EXPECT_GE(received.size(), 8u);  // the TLS request
    EXPECT_EQ(received.find(password), std::string::npos);
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
        std::string m_strRootCert;
        sb4 m_nCode;
    } cases[] = {
        {"TCPS", "127.0.0.1", dir + "/ca.crt", 0},
        {"TCPS", "127.0.0.1", dir + "/other-ca.crt", 29024},
        {"TCPS", "127.0.0.1", dir + "/missing.crt", 29024},
        {"TCPS", "localhost", dir + "/ca.crt", 29024},  // the certificate is for 127.0.0.1
        {"TCP", "127.0.0.1", dir + "/ca.crt", 1017},    // no TLS, no entry in pg_hba.conf
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.m_szProtocol) + " " + c.m_szHost + " " + c.m_strRootCert);
        ScopedEnv rootCert("PGSSLROOTCERT", c.m_strRootCert);
        const std::string descriptor = std::string("(DESCRIPTION = (ADDRESS = (PROTOCOL = ") + c.m_szProtocol +
                                       ")(HOST = " + c.m_szHost + ")(PORT = " + std::to_string(port) +
                                       "))(CONNECT_DATA = (SERVICE_NAME = postgres)))";
        Session session;
        const sword status = session.Connect(descriptor, "postgres", "trusted");
        sb4 code = 0;
        const std::string text = session.Error(&code);
        if (c.m_nCode == 0) {
            ASSERT_EQ(status, OCI_SUCCESS) << text;
            EXPECT_EQ(session.Value("select ssl from pg_stat_ssl where pid = pg_backend_pid()"), "t");
        } else {
            EXPECT_EQ(status, OCI_ERROR);
            EXPECT_EQ(code, c.m_nCode) << text;
        }
    }
}

}  // namespace
}  // namespace ocitest
