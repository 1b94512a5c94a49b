#pragma once

#include "BoardMode.h"

namespace sim {

// Command 0x01: high address byte (echoed), low address byte (answered with the data byte
// at that address), and again.
class ReadMode final : public BoardMode {
public:
    void enter() override { high_.reset(); }
    bool atSequenceStart() const override { return !high_.has_value(); }
    ModeStep receive(std::uint8_t byte, BoardMemory& memory) override;

private:
    std::optional<std::uint8_t> high_;
};

} // namespace sim
