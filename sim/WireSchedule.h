#pragma once

#include <cstdint>
#include <limits>

namespace sim {

// When bytes are through a serial line of a given byte time: each direction carries one
// byte at a time, so a burst queues up, and an answer cannot leave before its question
// has fully arrived.
class WireSchedule {
public:
    using Nanos = std::int64_t;

    // A byte put on the line towards the board at `sentAt` is fully received at the result.
    Nanos arrival(Nanos sentAt, Nanos byteTime);
    // The answer to a byte that arrived at `arrivedAt` is fully back at the result.
    Nanos answerBack(Nanos arrivedAt, Nanos byteTime);
    void reset();

private:
    static constexpr Nanos Idle = std::numeric_limits<Nanos>::min();

    Nanos inboundFree_ = Idle;
    Nanos outboundFree_ = Idle;
};

} // namespace sim
