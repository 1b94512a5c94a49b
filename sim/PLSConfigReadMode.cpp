#include "PLSConfigReadMode.h"

namespace sim {

ModeStep PLSConfigReadMode::receive(std::uint8_t, BoardMemory&) {
    if (next_ == 0)
        readout_ = pls_.configReadout();
    const std::uint8_t value = readout_[next_];
    next_ = (next_ + 1) % readout_.size();
    return {Reply{value, ReplyKind::Data}};
}

} // namespace sim
