#include "BoardFaults.h"

namespace sim {

namespace {

constexpr std::array<std::string_view, BoardFaults::FaultCount> faultNames{
    "silence",       "wrong-echo", "wrong-ack", "line-drop", "pls-not-ready",
    "pls-wrong-ack", "bad-recall", "wrong-sum", "no-sum",    "stuck-program"};

} // namespace

void BoardFaults::clear() {
    plans_.fill(FaultPlan::never());
}

std::optional<Fault> BoardFaults::named(std::string_view name) {
    for (std::size_t i = 0; i < faultNames.size(); ++i) {
        if (faultNames[i] == name)
            return static_cast<Fault>(i);
    }
    return std::nullopt;
}

bool BoardFaults::setWireBaud(int baud) {
    if (baud != 0 && baud != 9600 && baud != 19200)
        return false;
    wireBaud_ = baud;
    return true;
}

std::int64_t BoardFaults::byteTimeNanos() const {
    if (wireBaud_ == 0)
        return 0;
    return 10LL * 1'000'000'000LL / wireBaud_;
}

} // namespace sim
