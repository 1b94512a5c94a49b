#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "FaultPlan.h"

namespace sim {

enum class Fault {
    Silence,          // the byte is lost: no reply, the board does not see it
    WrongEcho,        // an echo comes back altered
    WrongAcknowledge, // 0x00 comes back where the handshake's 0x55 belongs
    LineDrop,         // the line drops as the byte is sent: a cable pulled mid-transfer
    PLSNotReady,      // a PLS READY poll is answered busy
    PLSWrongAck,      // the PLS answers 0x00 instead of acknowledging a byte and drops it
    BadRecall,        // a channel recall answers a position high byte of 17
    WrongRecordSum,   // a program record is answered with a sum one too high
    NoRecordSum,      // a program record is taken but not answered
    StayInProgramMode // attention in program-load mode is refused with 0x00
};

// What is wrong with the board and its line: planned faults, a dropped line and the time
// each byte takes on the wire.
class BoardFaults {
public:
    static constexpr std::uint8_t SpoiledAcknowledge = 0x00;
    static constexpr int FaultCount = 10;

    void set(Fault fault, FaultPlan plan) { plans_[index(fault)] = plan; }
    const FaultPlan& plan(Fault fault) const { return plans_[index(fault)]; }
    bool strike(Fault fault) { return plans_[index(fault)].strike(); }
    // Planned faults off; the line and its speed stay as they are.
    void clear();

    static std::optional<Fault> named(std::string_view name);

    void dropLine() { lineDropped_ = true; }
    void restoreLine() { lineDropped_ = false; }
    bool lineDropped() const { return lineDropped_; }

    // 0 (no wire time), 9600 or 19200; false for any other speed.
    bool setWireBaud(int baud);
    int wireBaud() const { return wireBaud_; }
    // Start bit, 8 data bits, stop bit.
    std::int64_t byteTimeNanos() const;

private:
    static std::size_t index(Fault fault) { return static_cast<std::size_t>(fault); }

    std::array<FaultPlan, FaultCount> plans_{
        FaultPlan::never(), FaultPlan::never(), FaultPlan::never(), FaultPlan::never(),
        FaultPlan::never(), FaultPlan::never(), FaultPlan::never(), FaultPlan::never(),
        FaultPlan::never(), FaultPlan::never()};
    bool lineDropped_ = false;
    int wireBaud_ = 0;
};

} // namespace sim
