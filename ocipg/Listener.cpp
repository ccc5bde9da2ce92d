#include "ocipg/Listener.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

namespace ocipg {

namespace {

// Connects fd to the address without blocking past the deadline.
bool ConnectBefore(int fd, const sockaddr* address, socklen_t length,
                   std::chrono::steady_clock::time_point deadline)
{
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0)
        return false;
    if (connect(fd, address, length) == 0)
        return true;
    if (errno != EINPROGRESS && errno != EINTR)
        return false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd waiting{fd, POLLOUT, 0};
        const int ready = poll(&waiting, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        int failure = 0;
        socklen_t size = sizeof failure;
        return getsockopt(fd, SOL_SOCKET, SO_ERROR, &failure, &size) == 0 && failure == 0;
    }
}

bool SocketListening(const std::string& path, std::chrono::steady_clock::time_point deadline)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool answered =
        ConnectBefore(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address, deadline);
    close(fd);
    return answered;
}

bool HostListening(const std::string& host, int port, std::chrono::steady_clock::time_point deadline)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return false;
    bool answered = false;
    for (const addrinfo* each = found; each && !answered; each = each->ai_next) {
        const int fd = socket(each->ai_family, each->ai_socktype | SOCK_CLOEXEC, each->ai_protocol);
        if (fd < 0)
            continue;
        answered = ConnectBefore(fd, each->ai_addr, each->ai_addrlen, deadline);
        close(fd);
    }
    freeaddrinfo(found);
    return answered;
}

}  // namespace

bool Listening(const ConnectTarget& target, int timeoutSeconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    // A host beginning with / is a socket folder, as libpq takes it.
    if (!target.m_strHost.empty() && target.m_strHost.front() == '/')
        return SocketListening(target.m_strHost + "/.s.PGSQL." + std::to_string(target.m_nPort),
                               deadline);
    return HostListening(target.m_strHost, target.m_nPort, deadline);
}

}  // namespace ocipg
