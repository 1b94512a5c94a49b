#include "WireSchedule.h"

#include <algorithm>

namespace sim {

WireSchedule::Nanos WireSchedule::arrival(Nanos sentAt, Nanos byteTime) {
    inboundFree_ = std::max(sentAt, inboundFree_) + byteTime;
    return inboundFree_;
}

WireSchedule::Nanos WireSchedule::answerBack(Nanos arrivedAt, Nanos byteTime) {
    outboundFree_ = std::max(arrivedAt, outboundFree_) + byteTime;
    return outboundFree_;
}

void WireSchedule::reset() {
    inboundFree_ = Idle;
    outboundFree_ = Idle;
}

} // namespace sim
