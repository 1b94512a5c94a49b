#pragma once

#include "BoardMode.h"
#include "LimitSwitch.h"

namespace sim {

// The PLS configuration read: 19 polls, each answered with the next configuration byte.
class PLSConfigReadMode final : public BoardMode {
public:
    explicit PLSConfigReadMode(const LimitSwitch& pls) : pls_(pls) {}

    void enter() override { next_ = 0; }
    bool atSequenceStart() const override { return next_ == 0; }
    ModeStep receive(std::uint8_t byte, BoardMemory& memory) override;

private:
    const LimitSwitch& pls_;
    LimitSwitch::ConfigReadout readout_{};
    std::size_t next_ = 0;
};

} // namespace sim
