#include "PLSReadyExchange.h"

namespace sim {

namespace {

// Anything out of place gets a byte that is neither an acknowledge nor a ready answer.
constexpr Reply NotUnderstood{0xEE, ReplyKind::Data};

} // namespace

Reply PLSReadyExchange::receive(std::uint8_t byte, LimitSwitch& pls) {
    if (byte == Query) {
        if (pls.refusesByte())
            return {Refused, ReplyKind::Data};
        stage_ = Stage::State;
        return {Poll, ReplyKind::Data};
    }
    if (byte != Poll)
        return NotUnderstood;
    switch (stage_) {
    case Stage::State:
        if (pls.busy()) {
            stage_ = Stage::Query;
            return {Busy, ReplyKind::Data};
        }
        stage_ = Stage::Closing;
        return {Ready, ReplyKind::Data};
    case Stage::Closing:
        stage_ = Stage::Off;
        return {Ready, ReplyKind::Data};
    case Stage::Off:
    case Stage::Query:
        break;
    }
    return NotUnderstood;
}

} // namespace sim
