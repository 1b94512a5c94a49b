#pragma once

#include "BoardMode.h"

namespace sim {

// Command 0x02: high address byte, low address byte, data byte, each echoed; the data byte
// is stored at the address sent just before it.
class WriteMode final : public BoardMode {
public:
    void enter() override { stage_ = Stage::High; }
    bool atSequenceStart() const override { return stage_ == Stage::High; }
    ModeStep receive(std::uint8_t byte, BoardMemory& memory) override;

private:
    enum class Stage { High, Low, Data };

    Stage stage_ = Stage::High;
    std::uint16_t address_ = 0;
};

} // namespace sim
