#include "WriteMode.h"

namespace sim {

ModeStep WriteMode::receive(std::uint8_t byte, BoardMemory& memory) {
    switch (stage_) {
    case Stage::High:
        address_ = static_cast<std::uint16_t>(byte << 8);
        stage_ = Stage::Low;
        break;
    case Stage::Low:
        address_ = static_cast<std::uint16_t>(address_ | byte);
        stage_ = Stage::Data;
        break;
    case Stage::Data:
        memory.setByte(address_, byte);
        stage_ = Stage::High;
        break;
    }
    return {Reply{byte, ReplyKind::Echo}};
}

} // namespace sim
