#include "BoardClock.h"

namespace sim {

namespace {
constexpr std::int64_t MicrosPerSecond = 1'000'000;
} // namespace

void BoardClock::set(int hour, int minute, int second, int month, int day, int year) {
    const int values[6] = {hour, minute, second, month, day, year};
    const std::uint16_t addresses[6] = {Hour, Minute, Second, Month, Day, Year};
    for (int i = 0; i < 6; ++i)
        memory_.setByte(addresses[i], static_cast<std::uint8_t>(values[i]));
}

int BoardClock::daysIn(int month, int year) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 31;
    return month == 2 && year % 4 == 0 ? 29 : days[month - 1];
}

// One second on; each field rolls over into the next, a field the link set out of range
// rolls over at once.
void BoardClock::tick() {
    int second = memory_.byte(Second) + 1, minute = memory_.byte(Minute);
    int hour = memory_.byte(Hour), day = memory_.byte(Day);
    int month = memory_.byte(Month), year = memory_.byte(Year);
    if (second > 59) {
        second = 0;
        ++minute;
    }
    if (minute > 59) {
        minute = 0;
        ++hour;
    }
    if (hour > 23) {
        hour = 0;
        ++day;
    }
    if (day > daysIn(month, year)) {
        day = 1;
        ++month;
    }
    if (month > 12) {
        month = 1;
        year = (year + 1) % 100;
    }
    set(hour, minute, second, month, day, year);
}

void BoardClock::advanceTo(Micros now) {
    if (lastTime_ && now > *lastTime_) {
        carried_ += now - *lastTime_;
        for (; carried_ >= MicrosPerSecond; carried_ -= MicrosPerSecond)
            tick();
    }
    if (!lastTime_ || now > *lastTime_)
        lastTime_ = now;
}

} // namespace sim
