#include "ProgramLoadMode.h"

namespace sim {

bool ProgramLoadMode::atSequenceStart() const {
    return stage_ == Stage::Count && !faults_.plan(Fault::StayInProgramMode).active();
}

ModeStep ProgramLoadMode::receive(std::uint8_t byte, BoardMemory& memory) {
    switch (stage_) {
    case Stage::Count:
        if (byte == 0xFF && faults_.strike(Fault::StayInProgramMode))
            return {Reply{0x00, ReplyKind::Data}};
        remaining_ = byte;
        sum_ = byte;
        stage_ = Stage::High;
        return {};
    case Stage::High:
        address_ = static_cast<std::uint16_t>(byte << 8);
        sum_ = static_cast<std::uint8_t>(sum_ + byte);
        stage_ = Stage::Low;
        return {};
    case Stage::Low:
        address_ = static_cast<std::uint16_t>(address_ | byte);
        sum_ = static_cast<std::uint8_t>(sum_ + byte);
        stage_ = Stage::Data;
        return remaining_ == 0 ? finishRecord() : ModeStep{};
    case Stage::Data:
        memory.setByte(address_, byte);
        address_ = static_cast<std::uint16_t>(address_ + 1);
        sum_ = static_cast<std::uint8_t>(sum_ + byte);
        --remaining_;
        return remaining_ == 0 ? finishRecord() : ModeStep{};
    }
    return {};
}

ModeStep ProgramLoadMode::finishRecord() {
    stage_ = Stage::Count;
    if (faults_.strike(Fault::NoRecordSum))
        return {};
    const std::uint8_t sum =
        faults_.strike(Fault::WrongRecordSum) ? static_cast<std::uint8_t>(sum_ + 1) : sum_;
    return {Reply{sum, ReplyKind::Data}};
}

} // namespace sim
