#pragma once

#include <optional>

#include "BoardMode.h"
#include "LimitSwitch.h"

namespace sim {

// A PLS command that reads a word (scale factor, offset, position or speed): two polls,
// answered with the low and then the high byte of one reading.
class PLSWordReadMode final : public BoardMode {
public:
    using Reading = std::uint16_t (LimitSwitch::*)() const;

    PLSWordReadMode(const LimitSwitch& pls, Reading reading) : pls_(pls), reading_(reading) {}

    void enter() override { high_.reset(); }
    bool atSequenceStart() const override { return !high_.has_value(); }
    ModeStep receive(std::uint8_t byte, BoardMemory& memory) override;

private:
    const LimitSwitch& pls_;
    Reading reading_;
    std::optional<std::uint8_t> high_; // the second half of the word being read
};

} // namespace sim
