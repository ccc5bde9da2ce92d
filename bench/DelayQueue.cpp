#include "bench/DelayQueue.h"

#include <sys/socket.h>

#include <cerrno>

namespace bench {

void DelayQueue::Push(const char* pData, std::size_t nSize, Clock::time_point now)
{
    if (nSize == 0)
        return;
    m_chunks.push_back(Chunk{now + m_delay, std::vector<char>(pData, pData + nSize)});
    m_nHeld += nSize;
}

std::optional<DelayQueue::Clock::time_point> DelayQueue::NextDue() const
{
    if (m_chunks.empty())
        return std::nullopt;
    return m_chunks.front().due;
}

bool DelayQueue::Flush(int nSocket, Clock::time_point now)
{
    while (!m_chunks.empty() && m_chunks.front().due <= now) {
        Chunk& chunk = m_chunks.front();
        const ssize_t nWritten = send(nSocket, chunk.bytes.data() + chunk.nSent, chunk.bytes.size() - chunk.nSent,
                                      MSG_NOSIGNAL | MSG_DONTWAIT);
        if (nWritten < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        chunk.nSent += static_cast<std::size_t>(nWritten);
        m_nHeld -= static_cast<std::size_t>(nWritten);
        if (chunk.nSent < chunk.bytes.size())
            return true;
        m_chunks.pop_front();
    }
    return true;
}

}  // namespace bench
