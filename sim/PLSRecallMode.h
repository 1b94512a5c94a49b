#pragma once

#include "BoardMode.h"
#include "LimitSwitch.h"

namespace sim {

// The channel recall: the channel number (acknowledged; 0x00 for a channel the PLS does not
// have), then three polls answered with the recall state, the position's low byte and its
// high byte. Each recall of a channel takes its next step (see PLSChannel::recall).
class PLSRecallMode final : public BoardMode {
public:
    static constexpr std::uint8_t NoSuchChannel = 0x00;
    // What a bad recall fault puts in the high byte: one above the highest a position has.
    static constexpr std::uint8_t BadHighByte = 17;

    explicit PLSRecallMode(LimitSwitch& pls) : pls_(pls) {}

    void enter() override { stage_ = Stage::Channel; }
    bool atSequenceStart() const override { return stage_ == Stage::Channel; }
    ModeStep receive(std::uint8_t byte, BoardMemory& memory) override;

private:
    enum class Stage { Channel, State, Low, High };

    Reply highByte();

    LimitSwitch& pls_;
    Stage stage_ = Stage::Channel;
    PLSChannel::RecallStep step_{};
};

} // namespace sim
