#include "ocipg/tests/OcipgTest.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

namespace ocitest {
namespace {

// A socket on a port of 127.0.0.1 the system chose; port 0 when that failed.
int BindLoopback(int& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    return fd;
}

// A server on a loopback port that cannot prove itself: it refuses TLS
// and asks for the password in clear. It keeps every byte its clients send.
class ImpostorServer {
public:
    ImpostorServer() : m_nListen(BindLoopback(m_nPort))
    {
        if (listen(m_nListen, 4) != 0)
            m_nPort = 0;
        m_thread = std::thread([this] { Serve(); });
    }
    ~ImpostorServer()
    {
        m_bStop = true;
        m_thread.join();
        close(m_nListen);
    }
    ImpostorServer(const ImpostorServer&) = delete;
    ImpostorServer& operator=(const ImpostorServer&) = delete;

    int Port() const { return m_nPort; }
    std::string Received()
    {
        std::lock_guard lock(m_mutex);
        return m_strReceived;
    }

private:
    // Waits for fd to be readable, giving up when the server stops.
    bool Readable(int fd)
    {
        while (!m_bStop) {
            pollfd waiting{fd, POLLIN, 0};
            if (poll(&waiting, 1, 50) > 0)
                return true;
        }
        return false;
    }

    void Serve()
    {
        while (Readable(m_nListen)) {
            const int client = accept(m_nListen, nullptr, nullptr);
            if (client >= 0) {
                Talk(client);
                close(client);
            }
        }
    }

    // The first messages carry no type byte: the TLS request (length 8,
    // code 80877103) gets 'N', the startup message the request for the
    // password in clear; what follows is only kept.
    void Talk(int client)
    {
        static const char kNoTls = 'N';
        static const char kCleartextPassword[] = {'R', 0, 0, 0, 8, 0, 0, 0, 3};
        std::string pending;
        bool started = false;
        char buffer[512];
        while (Readable(client)) {
            const ssize_t n = read(client, buffer, sizeof buffer);
            if (n <= 0)
                return;
            {
                std::lock_guard lock(m_mutex);
                m_strReceived.append(buffer, static_cast<size_t>(n));
            }
            pending.append(buffer, static_cast<size_t>(n));
            while (!started && pending.size() >= 8) {
                const uint32_t length = ntohl(Word(pending, 0));
                if (pending.size() < length)
                    break;
                const bool tlsRequest = length == 8 && ntohl(Word(pending, 4)) == 80877103u;
                pending.erase(0, length);
                started = !tlsRequest;
                if (tlsRequest ? !Send(client, &kNoTls, 1) : !Send(client, kCleartextPassword, sizeof kCleartextPassword))
                    return;
            }
        }
    }

    static uint32_t Word(const std::string& bytes, size_t at)
    {
        uint32_t word = 0;
        std::memcpy(&word, bytes.data() + at, sizeof word);
        return word;
    }

    static bool Send(int fd, const char* bytes, size_t size)
    {
        return write(fd, bytes, size) == static_cast<ssize_t>(size);
    }

    int m_nPort = 0;
    int m_nListen;
    std::atomic<bool> m_bStop{false};
    std::mutex m_mutex;
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
    const std::string received = server.Received();
    EXPECT_GE(received.size(), 8u);  // the TLS request
    EXPECT_EQ(received.find(password), std::string::npos);
}

int FreeLoopbackPort()
{
    int port = 0;
    close(BindLoopback(port));
    return port;
}

// A server that takes TLS only: TCPS logs on when the trust anchor
// (PGSSLROOTCERT) signed the server's certificate for the host named, and
// then only; TCP never tries TLS.
TEST(OcipgTcps, OnlyAVerifiedServer)
{
    const std::string dir = Dir() + "/tls";
    const std::string script = "bash '" + FixtureScript("tlsserver.sh") + "' ";
    const int port = FreeLoopbackPort();
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
