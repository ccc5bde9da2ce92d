// The benchmark's delay proxy between a real TCP client and an echo server
// on a Unix socket.

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

// Reads until the end or until nWant bytes came.
std::string ReadUpTo(int nSocket, size_t nWant)
{
    std::string strData;
    char buffer[65536];
    ssize_t nRead;
    while (strData.size() < nWant && (nRead = read(nSocket, buffer, sizeof buffer)) > 0)
        strData.append(buffer, static_cast<size_t>(nRead));
    return strData;
}

// An echo server in a child process (one more per connection) and the
// proxy in front of it, as the benchmark runs it.
class ProxiedEcho {
public:
    explicit ProxiedEcho(const char* pszRttMs)
    {
        sockaddr_un address{AF_UNIX, {}};
        m_strSocket.copy(address.sun_path, m_strSocket.size());
        const int nListener = socket(AF_UNIX, SOCK_STREAM, 0);
        unlink(m_strSocket.c_str());  // left by a run that crashed
        bind(nListener, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        listen(nListener, 32);
        if ((m_echoPid = fork()) == 0) {
            signal(SIGCHLD, SIG_IGN);
            for (int nConn; (nConn = accept(nListener, nullptr, nullptr)) >= 0; close(nConn))
                if (fork() == 0) {
                    for (std::string strChunk; !(strChunk = ReadUpTo(nConn, 1)).empty();)
                        send(nConn, strChunk.data(), strChunk.size(), 0);
                    _exit(0);
                }
            _exit(0);
        }
        close(nListener);
        int anPipe[2];
        if (pipe(anPipe) != 0)
            return;
        if ((m_proxyPid = fork()) == 0) {
            dup2(anPipe[1], STDOUT_FILENO);
            execl(DELAY_PROXY, DELAY_PROXY, m_strSocket.c_str(), pszRttMs, nullptr);
            _exit(127);
        }
        close(anPipe[1]);
        m_nPort = std::atoi(ReadUpTo(anPipe[0], 1).c_str());
        close(anPipe[0]);
    }
    ~ProxiedEcho()
    {
        if (m_proxyPid > 0)
            Stop();
        if (m_echoPid > 0 && kill(m_echoPid, SIGKILL) == 0)
            waitpid(m_echoPid, nullptr, 0);
        unlink(m_strSocket.c_str());
    }
    // Sends SIGTERM; the wait status, 0 for a clean exit.
    int Stop()
    {
        kill(m_proxyPid, SIGTERM);
        int nStatus = -1;
        waitpid(m_proxyPid, &nStatus, 0);
        m_proxyPid = -1;
        return nStatus;
    }
    // The proxy refuses a connection by ending it once accepted.
    int Connect() const
    {
        const int nSocket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{AF_INET, htons(static_cast<uint16_t>(m_nPort)), {htonl(INADDR_LOOPBACK)}, {}};
        connect(nSocket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        return nSocket;
    }

private:
    const std::string m_strSocket = "/tmp/lumidex-echo-" + std::to_string(getpid()) + ".sock";
    pid_t m_echoPid = -1;
    pid_t m_proxyPid = -1;
    int m_nPort = 0;
};

TEST(DelayProxy, EachDirectionHeldBackEveryByteInOrderPastTheCap)
{
    // Long enough for the client to fill what the proxy holds.
    ProxiedEcho proxy("200");
    const int nSocket = proxy.Connect();
    for (int nTrip = 0; nTrip < 2; ++nTrip) {
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(write(nSocket, "ping", 4), 4);
        EXPECT_EQ(ReadUpTo(nSocket, 4), "ping");
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    }
    // Three times the proxy's cap, so that its reading stops and resumes.
    std::string strSent(24 << 20, '\0');
    std::generate(strSent.begin(), strSent.end(), std::minstd_rand(7));
    std::thread writer([&] {
        EXPECT_EQ(write(nSocket, strSent.data(), strSent.size()), ssize_t(strSent.size()));
        // The end goes through to the server and its end back.
        shutdown(nSocket, SHUT_WR);
    });
    const std::string strEchoed = ReadUpTo(nSocket, SIZE_MAX);
    writer.join();
    close(nSocket);
    EXPECT_TRUE(strEchoed == strSent) << strEchoed.size() << " of " << strSent.size() << " bytes back";
    EXPECT_EQ(proxy.Stop(), 0);
}

TEST(DelayProxy, ConnectionsBeyondTheCapRefusedAFreedPlaceTakenAgain)
{
    ProxiedEcho proxy("0");
    std::vector<int> arrSockets;
    for (int i = 0; i < 17; ++i) {
        arrSockets.push_back(proxy.Connect());
        ASSERT_EQ(write(arrSockets[i], "x", 1), 1);
        EXPECT_EQ(ReadUpTo(arrSockets[i], 1), i < 16 ? "x" : "") << "connection " << i + 1;
    }
    for (int nSocket : arrSockets)
        close(nSocket);
    // Taken again once the proxy has seen the ends.
    std::string strLate;
    for (int nTry = 0; nTry < 40 && strLate.empty(); ++nTry) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const int nLate = proxy.Connect();
        send(nLate, "y", 1, MSG_NOSIGNAL);
        strLate = ReadUpTo(nLate, 1);
        close(nLate);
    }
    EXPECT_EQ(strLate, "y");
}

TEST(DelayProxy, BadArgumentsRefused)
{
    const std::string astrArgs[] = {"/tmp/s -1", "/tmp/s abc", "/tmp/s 10001", "/tmp/s ''", "/tmp/s",
                                    std::string(200, 'p') + " 1"};
    for (const std::string& strArgs : astrArgs) {
        const int nStatus = std::system((DELAY_PROXY " " + strArgs + " >/dev/null 2>&1").c_str());
        EXPECT_EQ(WEXITSTATUS(nStatus), 2) << strArgs;
    }
}

}  // namespace
