// The benchmark's delay proxy between a real TCP client and an echo server
// on a Unix socket: bytes intact and in order both ways, past the cap on
// what it holds; each direction held back; connections beyond the cap
// refused; a clean exit on SIGTERM.

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

sockaddr_un UnixAddress(const std::string& strPath)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, strPath.c_str());
    return address;
}

// Echoes every connection until its client ends it.
class EchoServer {
public:
    EchoServer()
    {
        char szFolder[] = "/tmp/lumidex-proxy-XXXXXX";
        m_strFolder = mkdtemp(szFolder);
        m_strPath = m_strFolder + "/echo.sock";
        m_nListener = socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = UnixAddress(m_strPath);
        bind(m_nListener, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        listen(m_nListener, 32);
        m_acceptor = std::thread([this] { AcceptAll(); });
    }
    ~EchoServer()
    {
        // A last connection wakes the acceptor to see it should stop.
        m_bStop = true;
        const int nWake = socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = UnixAddress(m_strPath);
        connect(nWake, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        m_acceptor.join();
        close(nWake);
        for (std::thread& echo : m_echoes)
            echo.join();
        close(m_nListener);
        unlink(m_strPath.c_str());
        rmdir(m_strFolder.c_str());
    }
    const std::string& Path() const { return m_strPath; }

private:
    void AcceptAll()
    {
        int nConn;
        while ((nConn = accept(m_nListener, nullptr, nullptr)) >= 0) {
            if (m_bStop) {
                close(nConn);
                return;
            }
            m_echoes.emplace_back([nConn] {
                char buffer[65536];
                ssize_t nRead;
                while ((nRead = read(nConn, buffer, sizeof buffer)) > 0)
                    if (write(nConn, buffer, static_cast<size_t>(nRead)) != nRead)
                        break;
                close(nConn);
            });
        }
    }

    std::string m_strFolder;
    std::string m_strPath;
    int m_nListener = -1;
    std::atomic<bool> m_bStop = false;
    std::thread m_acceptor;
    std::vector<std::thread> m_echoes;
};

// The proxy as a process of its own; the port is the line it prints.
class Proxy {
public:
    Proxy(const std::string& strSocket, const char* pszRttMs)
    {
        int anPipe[2];
        if (pipe(anPipe) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, anPipe[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, anPipe[0]);
        const char* apArgs[] = {DELAY_PROXY, strSocket.c_str(), pszRttMs, nullptr};
        posix_spawn(&m_pid, DELAY_PROXY, &actions, nullptr, const_cast<char**>(apArgs), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(anPipe[1]);
        char szLine[16] = {};
        if (read(anPipe[0], szLine, sizeof szLine - 1) > 0)
            m_nPort = std::atoi(szLine);
        close(anPipe[0]);
    }
    ~Proxy()
    {
        if (m_pid > 0 && m_nStatus < 0)
            Stop();
    }
    int Port() const { return m_nPort; }
    // Sends SIGTERM; the exit status, or -1 when it did not exit.
    int Stop()
    {
        kill(m_pid, SIGTERM);
        int nStatus = 0;
        waitpid(m_pid, &nStatus, 0);
        m_nStatus = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
        return m_nStatus;
    }

private:
    pid_t m_pid = -1;
    int m_nPort = 0;
    int m_nStatus = -1;
};

int Connect(int nPort)
{
    const int nSocket = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(nPort));
    if (connect(nSocket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(nSocket);
        return -1;
    }
    return nSocket;
}

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

TEST(DelayProxy, EveryByteInOrderBothWaysPastTheCap)
{
    EchoServer echo;
    // Long enough for the client to fill what the proxy holds.
    Proxy proxy(echo.Path(), "200");
    ASSERT_GT(proxy.Port(), 0);
    const int nSocket = Connect(proxy.Port());
    ASSERT_GE(nSocket, 0);
    // Three times the proxy's cap, so that its reading stops and resumes.
    std::string strSent(24 << 20, '\0');
    unsigned nSeed = 7;
    for (char& c : strSent)
        c = static_cast<char>((nSeed = nSeed * 1103515245 + 12345) >> 16);
    std::thread writer([&] {
        size_t nDone = 0;
        while (nDone < strSent.size()) {
            const ssize_t n = write(nSocket, strSent.data() + nDone, strSent.size() - nDone);
            if (n <= 0)
                break;
            nDone += static_cast<size_t>(n);
        }
        // The end goes through to the server and its end back.
        shutdown(nSocket, SHUT_WR);
    });
    const std::string strEchoed = ReadUpTo(nSocket, SIZE_MAX);
    writer.join();
    close(nSocket);
    EXPECT_EQ(strEchoed.size(), strSent.size());
    EXPECT_TRUE(strEchoed == strSent);
    EXPECT_EQ(proxy.Stop(), 0);
}

TEST(DelayProxy, EachDirectionHeldBackHalfTheRoundTrip)
{
    EchoServer echo;
    Proxy proxy(echo.Path(), "200");
    const int nSocket = Connect(proxy.Port());
    ASSERT_GE(nSocket, 0);
    for (int nTrip = 0; nTrip < 2; ++nTrip) {
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(write(nSocket, "ping", 4), 4);
        EXPECT_EQ(ReadUpTo(nSocket, 4), "ping");
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    }
    close(nSocket);
}

TEST(DelayProxy, ConnectionsBeyondTheCapRefusedOthersServed)
{
    EchoServer echo;
    Proxy proxy(echo.Path(), "0");
    std::vector<int> arrSockets;
    for (int i = 0; i < 17; ++i)
        arrSockets.push_back(Connect(proxy.Port()));
    for (size_t i = 0; i < arrSockets.size(); ++i) {
        ASSERT_GE(arrSockets[i], 0);
        ASSERT_EQ(write(arrSockets[i], "x", 1), 1);
        EXPECT_EQ(ReadUpTo(arrSockets[i], 1), i < 16 ? "x" : "") << "connection " << i + 1;
    }
    for (int nSocket : arrSockets)
        close(nSocket);
    // A place freed is taken again, once the proxy has seen the ends.
    std::string strLate;
    for (int nTry = 0; nTry < 40 && strLate.empty(); ++nTry) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const int nLate = Connect(proxy.Port());
        if (write(nLate, "y", 1) == 1)
            strLate = ReadUpTo(nLate, 1);
        close(nLate);
    }
    EXPECT_EQ(strLate, "y");
    EXPECT_EQ(proxy.Stop(), 0);
}

TEST(DelayProxy, BadArgumentsRefused)
{
    const char* const kCases[][2] = {{"/tmp/s", "-1"}, {"/tmp/s", "abc"}, {"/tmp/s", "10001"}, {"/tmp/s", ""}};
    for (const auto& args : kCases) {
        const std::string strCommand =
            std::string(DELAY_PROXY) + " " + args[0] + " '" + args[1] + "' >/dev/null 2>&1";
        const int nStatus = std::system(strCommand.c_str());
        EXPECT_EQ(WEXITSTATUS(nStatus), 2) << args[1];
    }
    const std::string strLongPath(200, 'p');
    EXPECT_EQ(WEXITSTATUS(std::system((std::string(DELAY_PROXY) + " " + strLongPath + " 1 2>/dev/null").c_str())), 2);
}

}  // namespace
