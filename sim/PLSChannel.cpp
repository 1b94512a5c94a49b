#include "PLSChannel.h"

namespace sim {

void PLSChannel::setSetpoints(std::uint16_t on, std::uint16_t off) {
    *this = PLSChannel();
    kind_ = Kind::Setpoints;
    on_ = on;
    off_ = off;
}

void PLSChannel::setPulseTrain(std::uint16_t start, std::uint8_t onDivisions,
                               std::uint8_t offDivisions) {
    *this = PLSChannel();
    kind_ = Kind::PulseTrain;
    start_ = start;
    onDivisions_ = onDivisions;
    offDivisions_ = offDivisions;
}

void PLSChannel::clear() {
    *this = PLSChannel();
}

bool PLSChannel::output(std::uint16_t position, std::uint16_t scale) const {
    switch (kind_) {
    case Kind::Cleared:
        return false;
    case Kind::Setpoints:
        // The window may wrap past the end of the revolution (ON 350, OFF 10).
        return on_ <= off_ ? (position >= on_ && position < off_)
                           : (position >= on_ || position < off_);
    case Kind::PulseTrain: {
        const int period = onDivisions_ + offDivisions_;
        if (period == 0 || scale == 0)
            return false;
        const int sinceStart = ((position - start_) % scale + scale) % scale;
        return sinceStart % period < onDivisions_;
    }
    }
    return false;
}

PLSChannel::RecallStep PLSChannel::recall() {
    switch (kind_) {
    case Kind::Cleared:
        return {ClearedState, 0};
    case Kind::PulseTrain:
        return {PulseTrainState, start_};
    case Kind::Setpoints:
        break;
    }
    const RecallStep step = offNext_ ? RecallStep{OffState, off_} : RecallStep{OnState, on_};
    offNext_ = !offNext_;
    return step;
}

} // namespace sim
