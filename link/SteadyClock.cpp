#include "SteadyClock.h"

#include <chrono>
#include <thread>

Clock::Micros SteadyClock::now() const {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadyClock::waitUntil(Micros deadline) {
    using namespace std::chrono;
    std::this_thread::sleep_until(steady_clock::time_point(microseconds(deadline)));
}
