#pragma once

#include <cstdint>

// Monotonic time for the link's time-outs; tests use a virtual clock that jumps.
class Clock {
public:
    using Micros = std::int64_t;

    virtual ~Clock() = default;
    virtual Micros now() const = 0;
    virtual void waitUntil(Micros deadline) = 0;

    static constexpr Micros fromSeconds(double seconds) {
        return static_cast<Micros>(seconds * 1'000'000.0);
    }
};
