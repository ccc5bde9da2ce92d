// lumidex_delay_proxy SOCKET RTT_MS: a TCP port on 127.0.0.1 in front of a
// PostgreSQL Unix socket that holds every chunk back by half the round-trip
// time in each direction, for the benchmark's listing over a slow link.
// Prints the port it listens on (the system picks it) and runs until
// SIGTERM or SIGINT.

#include "bench/DelayQueue.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::DelayQueue;
using Clock = DelayQueue::Clock;

// Held per direction of a link: a few round trips of the widest fetch.
constexpr std::size_t kCapBytes = std::size_t{8} << 20;
// Links beyond this are refused: the benchmark needs one at a time.
constexpr std::size_t kMaxLinks = 16;
constexpr std::size_t kReadBytes = std::size_t{64} << 10;
// Longer is no round trip the benchmark means.
constexpr double kMaxRttMs = 10000;

volatile sig_atomic_t g_bStop = 0;

// What is read from nFrom goes to nTo once the delay has passed.
struct Direction {
    int nFrom;
    int nTo;
    DelayQueue queue;
    bool bEnded = false;  // nFrom sends no more
    bool bShut = false;   // nTo was told so, after the last byte
};

// One client's connection and the server's end of it.
struct Link {
    Link(int nClient, int nServer, Clock::duration delay)
        : toServer{nClient, nServer, DelayQueue(delay, kCapBytes)},
          toClient{nServer, nClient, DelayQueue(delay, kCapBytes)}
    {
    }
    ~Link()
    {
        close(toServer.nFrom);
        close(toClient.nFrom);
    }
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    bool Done() const { return bFailed || (toServer.bShut && toClient.bShut); }

    Direction toServer;
    Direction toClient;
    bool bFailed = false;
};

void Stop(int) { g_bStop = 1; }

void Read(Direction& dir, bool& bFailed, Clock::time_point now)
{
    static char buffer[kReadBytes];
    const std::size_t nWant = std::min(kReadBytes, dir.queue.Room());
    if (dir.bEnded || nWant == 0)
        return;
    const ssize_t nRead = recv(dir.nFrom, buffer, nWant, MSG_DONTWAIT);
    if (nRead > 0)
        dir.queue.Push(buffer, static_cast<std::size_t>(nRead), now);
    else if (nRead == 0)
        dir.bEnded = true;
    else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
        bFailed = true;
}

void Flush(Direction& dir, bool& bFailed, Clock::time_point now)
{
    if (!dir.queue.Flush(dir.nTo, now))
        bFailed = true;
    else if (dir.bEnded && dir.queue.Empty() && !dir.bShut) {
        shutdown(dir.nTo, SHUT_WR);
        dir.bShut = true;
    }
}

// Events to wait for on the socket dirIn reads from and dirOut writes to;
// wake: moved up to dirOut's next chunk that is not due yet.
short Events(const Direction& dirIn, const Direction& dirOut, Clock::time_point now,
             std::optional<Clock::time_point>& wake)
{
    short nEvents = 0;
    if (!dirIn.bEnded && dirIn.queue.Room() > 0)
        nEvents |= POLLIN;
    if (const auto due = dirOut.queue.NextDue()) {
        // Due and still held: the socket took no more.
        if (*due <= now)
            nEvents |= POLLOUT;
        else if (!wake || *due < *wake)
            wake = due;
    }
    return nEvents;
}

// Waits on the socket dirIn reads from; one with nothing to wait for is
// left out (-1), so that a hang-up already seen does not wake the loop
// again and again.
void AddWait(std::vector<pollfd>& fds, const Direction& dirIn, const Direction& dirOut, Clock::time_point now,
             std::optional<Clock::time_point>& wake)
{
    const short nEvents = Events(dirIn, dirOut, now, wake);
    fds.push_back({nEvents ? dirIn.nFrom : -1, nEvents, 0});
}

int ConnectServer(const std::string& strSocket)
{
    const int nServer = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (nServer < 0)
        return -1;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, strSocket.c_str(), strSocket.size() + 1);
    if (connect(nServer, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        fcntl(nServer, F_SETFL, fcntl(nServer, F_GETFL) | O_NONBLOCK) != 0) {
        close(nServer);
        return -1;
    }
    return nServer;
}

void Accept(int nListener, const std::string& strSocket, Clock::duration delay,
            std::vector<std::unique_ptr<Link>>& links)
{
    const int nClient = accept4(nListener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (nClient < 0)
        return;
    if (links.size() >= kMaxLinks) {
        std::fprintf(stderr, "delay proxy: %zu connections already, one refused\n", links.size());
        close(nClient);
        return;
    }
    const int nServer = ConnectServer(strSocket);
    if (nServer < 0) {
        std::fprintf(stderr, "delay proxy: %s: %s\n", strSocket.c_str(), std::strerror(errno));
        close(nClient);
        return;
    }
    // Each message goes as it is due, not when a segment fills.
    const int nOne = 1;
    setsockopt(nClient, IPPROTO_TCP, TCP_NODELAY, &nOne, sizeof nOne);
    links.push_back(std::make_unique<Link>(nClient, nServer, delay));
}

int Listen()
{
    const int nListener = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t nSize = sizeof address;
    if (nListener < 0 || bind(nListener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(nListener, 16) != 0 || getsockname(nListener, reinterpret_cast<sockaddr*>(&address), &nSize) != 0) {
        std::fprintf(stderr, "delay proxy: cannot listen on 127.0.0.1: %s\n", std::strerror(errno));
        return -1;
    }
    std::printf("%u\n", static_cast<unsigned>(ntohs(address.sin_port)));
    std::fflush(stdout);
    return nListener;
}

// Forwards until a stop signal arrives; signals reach the process only
// while it waits.
void Serve(int nListener, const std::string& strSocket, Clock::duration delay, const sigset_t& waitMask)
{
    std::vector<std::unique_ptr<Link>> links;
    std::vector<pollfd> fds;
    while (!g_bStop) {
        Clock::time_point now = Clock::now();
        for (const auto& link : links) {
            Flush(link->toServer, link->bFailed, now);
            Flush(link->toClient, link->bFailed, now);
        }
        std::erase_if(links, [](const auto& link) { return link->Done(); });

        std::optional<Clock::time_point> wake;
        fds.assign(1, pollfd{nListener, POLLIN, 0});
        for (const auto& link : links) {
            AddWait(fds, link->toServer, link->toClient, now, wake);
            AddWait(fds, link->toClient, link->toServer, now, wake);
        }
        timespec timeout{};
        if (wake) {
            const auto nNanos = std::chrono::duration_cast<std::chrono::nanoseconds>(*wake - now).count();
            timeout.tv_sec = static_cast<time_t>(nNanos / 1000000000);
            timeout.tv_nsec = static_cast<long>(nNanos % 1000000000);
        }
        if (ppoll(fds.data(), fds.size(), wake ? &timeout : nullptr, &waitMask) < 0)
            continue;

        now = Clock::now();
        for (std::size_t i = 0; i < links.size(); ++i) {
            Link& link = *links[i];
            if (fds[1 + 2 * i].revents & (POLLIN | POLLHUP | POLLERR))
                Read(link.toServer, link.bFailed, now);
            if (fds[2 + 2 * i].revents & (POLLIN | POLLHUP | POLLERR))
                Read(link.toClient, link.bFailed, now);
        }
        if (fds[0].revents & POLLIN)
            Accept(nListener, strSocket, delay, links);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    char* pEnd = nullptr;
    const double dRttMs = argc == 3 ? std::strtod(argv[2], &pEnd) : -1;
    if (argc != 3 || pEnd == argv[2] || *pEnd || !(dRttMs >= 0 && dRttMs <= kMaxRttMs) ||
        std::strlen(argv[1]) >= sizeof(sockaddr_un{}.sun_path)) {
        std::fprintf(stderr, "usage: lumidex_delay_proxy SOCKET RTT_MS (0 to %.0f)\n", kMaxRttMs);
        return 2;
    }
    const auto delay = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(dRttMs / 2));

    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigset_t waitMask;
    sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
    sigdelset(&waitMask, SIGTERM);
    sigdelset(&waitMask, SIGINT);
    struct sigaction action {};
    action.sa_handler = Stop;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    // A chunk leaves when it is due, not up to the default 50 us later.
    prctl(PR_SET_TIMERSLACK, 1UL);
    const int nListener = Listen();
    if (nListener < 0)
        return 1;
    Serve(nListener, argv[1], delay, waitMask);
    close(nListener);
    return 0;
}
