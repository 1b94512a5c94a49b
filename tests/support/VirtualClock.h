#pragma once

#include "Clock.h"

// Time that moves only when someone waits: a 5-second time-out passes in no real time.
class VirtualClock final : public Clock {
public:
    Micros now() const override { return now_; }
    void waitUntil(Micros deadline) override {
        if (deadline > now_)
            now_ = deadline;
    }

private:
    Micros now_ = 1'000'000'000; // any start; tests look at differences
};
