#pragma once

// One direction of a delayed link: every chunk read is held until its
// arrival time plus the delay, then written in order. Chunks that arrive
// while others wait are in flight together, so the delay costs latency,
// not bandwidth. Reading stops while the bytes held reach the cap.

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace bench {

class DelayQueue {
public:
    using Clock = std::chrono::steady_clock;

    DelayQueue(Clock::duration delay, std::size_t nCap) : m_delay(delay), m_nCap(nCap) {}

    // Bytes that may be read now without passing the cap.
    std::size_t Room() const { return m_nHeld < m_nCap ? m_nCap - m_nHeld : 0; }
    bool Empty() const { return m_chunks.empty(); }
    // Holds size bytes that arrived at now.
    void Push(const char* pData, std::size_t nSize, Clock::time_point now);
    // When the first chunk not written yet is due; none when empty.
    std::optional<Clock::time_point> NextDue() const;
    // Writes what is due by now to the socket, as far as it takes it; false
    // when the socket failed (errno tells).
    bool Flush(int nSocket, Clock::time_point now);

private:
    struct Chunk {
        Clock::time_point due;
        std::vector<char> bytes;
        std::size_t nSent = 0;
    };

    Clock::duration m_delay;
    std::size_t m_nCap;
    std::size_t m_nHeld = 0;
    std::deque<Chunk> m_chunks;
};

}  // namespace bench
