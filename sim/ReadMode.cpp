#include "ReadMode.h"

namespace sim {

ModeStep ReadMode::receive(std::uint8_t byte, BoardMemory& memory) {
    if (!high_) {
        high_ = byte;
        return {Reply{byte, ReplyKind::Echo}};
    }
    const auto address = static_cast<std::uint16_t>(*high_ << 8 | byte);
    high_.reset();
    return {Reply{memory.byte(address), ReplyKind::Data}};
}

} // namespace sim
