#pragma once

#include <cstdint>

#include "BoardMode.h"
#include "LimitSwitch.h"

namespace sim {

// The READY handshake that ends every PLS write: 0x38 is acknowledged, a poll (0x55) is
// answered 0x00 when the PLS is ready or 0x55 while it is busy, and after a ready answer one
// more poll closes the exchange. A repeated 0x38 starts the question again at any point.
class PLSReadyExchange {
public:
    static constexpr std::uint8_t Query = 0x38;
    static constexpr std::uint8_t Poll = 0x55;
    static constexpr std::uint8_t Ready = 0x00;
    static constexpr std::uint8_t Busy = 0x55;
    static constexpr std::uint8_t Refused = 0x00;

    void start() { stage_ = Stage::Query; }
    void reset() { stage_ = Stage::Off; }
    bool active() const { return stage_ != Stage::Off; }
    Reply receive(std::uint8_t byte, LimitSwitch& pls);

private:
    enum class Stage { Off, Query, State, Closing };

    Stage stage_ = Stage::Off;
};

} // namespace sim
