#include "PLSWordReadMode.h"

namespace sim {

ModeStep PLSWordReadMode::receive(std::uint8_t, BoardMemory&) {
    if (high_) {
        const std::uint8_t high = *high_;
        high_.reset();
        return {Reply{high, ReplyKind::Data}};
    }
    // Both halves come from one reading, so a position that moves on between the polls
    // cannot mix two values.
    const std::uint16_t value = (pls_.*reading_)();
    high_ = static_cast<std::uint8_t>(value >> 8);
    return {Reply{static_cast<std::uint8_t>(value & 0xFF), ReplyKind::Data}};
}

} // namespace sim
