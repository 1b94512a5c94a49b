#pragma once

#include <cstdint>
#include <optional>

#include "BoardMemory.h"

namespace sim {

// The real-time clock of the boards that have one: hour, minute, second, month, day and
// two-digit year in their bytes, moving on with the line's time. What the link writes there
// sets the clock; it runs on from the new value.
class BoardClock {
public:
    using Micros = std::int64_t;
    static constexpr std::uint16_t Hour = 43012, Minute = 43010, Second = 43008;
    static constexpr std::uint16_t Month = 43016, Day = 43015, Year = 43017;

    explicit BoardClock(BoardMemory& memory) : memory_(memory) {}

    void set(int hour, int minute, int second, int month, int day, int year);
    void advanceTo(Micros now);

private:
    void tick();
    static int daysIn(int month, int year);

    BoardMemory& memory_;
    std::optional<Micros> lastTime_;
    Micros carried_ = 0;
};

} // namespace sim
