#include <gtest/gtest.h>

#include "BoardClock.h"

TEST(BoardClock, SecondsRollOverIntoTheCalendar) {
    using C = sim::BoardClock;
    const struct {
        const char* name;
        int from[6]; // hour, minute, second, month, day, year
        int to[6];
    } cases[] = {
        {"next second", {9, 8, 7, 1, 17, 31}, {9, 8, 8, 1, 17, 31}},
        {"end of a day in April", {23, 59, 59, 4, 30, 26}, {0, 0, 0, 5, 1, 26}},
        {"29 February of a leap year", {23, 59, 59, 2, 28, 28}, {0, 0, 0, 2, 29, 28}},
        {"end of the century", {23, 59, 59, 12, 31, 99}, {0, 0, 0, 1, 1, 0}},
    };
    for (const auto& c : cases) {
        sim::BoardMemory memory;
        C clock(memory);
        clock.set(c.from[0], c.from[1], c.from[2], c.from[3], c.from[4], c.from[5]);
        clock.advanceTo(5'000'000);
        clock.advanceTo(5'999'999); // not yet a whole second
        clock.advanceTo(6'000'000);
        const std::uint16_t fields[6] = {C::Hour, C::Minute, C::Second, C::Month, C::Day, C::Year};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(memory.byte(fields[i]), c.to[i]) << c.name << ", field " << i;
    }
}
