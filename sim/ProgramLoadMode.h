#pragma once

#include "BoardFaults.h"
#include "BoardMode.h"

namespace sim {

// Command 0x03: program records, each a count, high and low address byte and that many data
// bytes, stored from the address on and answered by their sum modulo 256. Attention between
// records leaves the mode with 0x55.
class ProgramLoadMode final : public BoardMode {
public:
    explicit ProgramLoadMode(BoardFaults& faults) : faults_(faults) {}

    void enter() override { stage_ = Stage::Count; }
    bool atSequenceStart() const override;
    ModeStep receive(std::uint8_t byte, BoardMemory& memory) override;

private:
    enum class Stage { Count, High, Low, Data };

    ModeStep finishRecord();

    BoardFaults& faults_;
    Stage stage_ = Stage::Count;
    int remaining_ = 0;
    std::uint16_t address_ = 0;
    std::uint8_t sum_ = 0;
};

} // namespace sim
