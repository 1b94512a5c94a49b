#include "PLSWriteMode.h"

#include "Board.h"

namespace sim {

PLSWriteMode::PLSWriteMode(LimitSwitch& pls, std::size_t length, Check check, Store store)
    : pls_(pls), length_(length), check_(std::move(check)), store_(std::move(store)) {}

void PLSWriteMode::enter() {
    record_.clear();
    ready_.reset();
}

ModeStep PLSWriteMode::receive(std::uint8_t byte, BoardMemory&) {
    if (ready_.active())
        return {ready_.receive(byte, pls_)};
    return {take(byte)};
}

Reply PLSWriteMode::take(std::uint8_t byte) {
    record_.push_back(byte);
    if ((check_ && !check_(record_)) || pls_.refusesByte()) {
        record_.clear();
        return {Refused, ReplyKind::Data};
    }
    if (record_.size() < length_)
        return {Board::Acknowledge, ReplyKind::Data};
    const bool stored = store_(pls_, record_);
    record_.clear();
    if (!stored)
        return {Refused, ReplyKind::Data};
    pls_.startBusyPeriod();
    ready_.start();
    return {Board::Acknowledge, ReplyKind::Data};
}

} // namespace sim
