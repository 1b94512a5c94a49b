#pragma once

#include "Clock.h"

class SteadyClock final : public Clock {
public:
    Micros now() const override;
    void waitUntil(Micros deadline) override;
};
