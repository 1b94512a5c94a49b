#include "PLSRecallMode.h"

#include "Board.h"

namespace sim {

ModeStep PLSRecallMode::receive(std::uint8_t byte, BoardMemory&) {
    switch (stage_) {
    case Stage::Channel:
        if (!LimitSwitch::hasChannel(byte) || pls_.refusesByte())
            return {Reply{NoSuchChannel, ReplyKind::Data}};
        step_ = pls_.recall(byte);
        stage_ = Stage::State;
        return {Reply{Board::Acknowledge, ReplyKind::Data}};
    case Stage::State:
        stage_ = Stage::Low;
        return {Reply{step_.state, ReplyKind::Data}};
    case Stage::Low:
        stage_ = Stage::High;
        return {Reply{static_cast<std::uint8_t>(step_.position & 0xFF), ReplyKind::Data}};
    case Stage::High:
        stage_ = Stage::Channel;
        return {highByte()};
    }
    return {};
}

Reply PLSRecallMode::highByte() {
    if (pls_.faults().strike(Fault::BadRecall))
        return {BadHighByte, ReplyKind::Data};
    return {static_cast<std::uint8_t>(step_.position >> 8), ReplyKind::Data};
}

} // namespace sim
