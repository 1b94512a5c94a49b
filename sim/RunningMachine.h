#pragma once

#include <cstdint>
#include <optional>

#include "BoardMemory.h"

namespace sim {

// A bodymaker turning behind the board's memory, advanced from the caller's time so tests
// can drive it with a virtual clock. It writes only its own live values and keeps the
// counts in memory, so whatever the line writes there (a new speed, a shift reset) is
// simply carried on from.
class RunningMachine {
public:
    using Micros = std::int64_t;

    static constexpr std::uint16_t InputsAddress = 100;          // B100: flywheel motion bit
    static constexpr std::uint16_t OutputsAddress = 110;         // B110: clutch, cupfeed, sync
    static constexpr std::uint16_t PositionAddress = 180;        // W180: degrees 0..359
    static constexpr std::uint16_t SpeedAddress = 182;           // W182: strokes per minute
    static constexpr std::uint16_t PeriodAddress = 184;          // W184: ms per stroke
    static constexpr std::uint16_t GoodCansAddress = 1100;       // D1100
    static constexpr std::uint16_t ShortCansAddress = 1104;      // W1104
    static constexpr std::uint16_t LastGoodCansAddress = 1200;   // D1200
    static constexpr std::uint16_t LastShortCansAddress = 1204;  // W1204
    static constexpr std::uint16_t ModeInputsAddress = 101;      // B101: continuous, inch
    static constexpr std::uint16_t FlywheelOutputsAddress = 111; // B111: inch, punch speed
    static constexpr std::uint16_t ShortCanSensorAddress = 42;   // F80 is bit 0
    static constexpr std::uint16_t EndOfShiftAddress = 36;       // F34 is bit 2
    static constexpr int EndOfShiftBit = 2;
    // The controller's program clears F34 this long after it closed the shift.
    static constexpr Micros EndOfShiftHold = 10'000'000;

    static constexpr std::uint16_t DefaultSpeed = 200;
    static constexpr std::uint32_t StrokesPerShortCan = 500;
    // Up to this speed the machine is inching; above it, it runs continuously.
    static constexpr std::uint16_t InchSpeed = 50;
    // How fast stop and start change the speed, in strokes per minute per second.
    static constexpr std::int64_t RampPerSecond = 200;

    // Bits of the I/O bytes the machine drives; the others are left to the line and tests.
    static constexpr std::uint8_t InputsDriven = 0x01;
    static constexpr std::uint8_t OutputsDriven = 0x97;
    static constexpr std::uint8_t FlywheelOutputsDriven = 0x30;

    explicit RunningMachine(BoardMemory& memory);

    void advanceTo(Micros now);

    // At once, ending any stop or start under way.
    void setSpeed(std::uint16_t strokesPerMinute);
    // The speed runs down to 0, or back up to the speed it had, at RampPerSecond.
    void stop();
    void start();
    std::uint16_t speed() const { return memory_.word(SpeedAddress); }
    std::uint16_t position() const { return memory_.word(PositionAddress); }

private:
    void ramp(Micros elapsed);
    void turn(Micros elapsed);
    void rollShiftWhenAsked(Micros now);
    void addStrokes(std::uint64_t strokes);
    void showLiveSignals();
    void setDriven(std::uint16_t address, std::uint8_t mask, std::uint8_t value);

    BoardMemory& memory_;
    std::optional<Micros> lastTime_;
    std::int64_t degreeResidue_ = 0; // fractions of a degree, in 1/60'000'000 degree
    std::uint64_t strokeResidue_ = 0;
    std::optional<std::uint16_t> rampTarget_;
    std::int64_t rampResidue_ = 0;
    std::uint16_t runningSpeed_ = DefaultSpeed;
    bool endOfShiftSeen_ = false;
    Micros endOfShiftAt_ = 0;
};

} // namespace sim
