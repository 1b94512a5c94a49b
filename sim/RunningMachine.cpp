#include "RunningMachine.h"

#include <algorithm>

namespace sim {

namespace {

constexpr std::int64_t MicrosPerMinute = 60'000'000;

bool within(int position, int from, int to) {
    return from <= to ? (position >= from && position < to) : (position >= from || position < to);
}

} // namespace

RunningMachine::RunningMachine(BoardMemory& memory) : memory_(memory) {
    memory_.setWord(SpeedAddress, DefaultSpeed);
    showLiveSignals();
}

void RunningMachine::advanceTo(Micros now) {
    rollShiftWhenAsked(now);
    if (lastTime_ && now > *lastTime_) {
        ramp(now - *lastTime_);
        turn(now - *lastTime_);
    }
    if (!lastTime_ || now > *lastTime_)
        lastTime_ = now;
    showLiveSignals();
}

void RunningMachine::setSpeed(std::uint16_t strokesPerMinute) {
    rampTarget_.reset();
    memory_.setWord(SpeedAddress, strokesPerMinute);
    showLiveSignals();
}

void RunningMachine::stop() {
    if (speed() != 0)
        runningSpeed_ = speed();
    rampTarget_ = 0;
    rampResidue_ = 0;
}

void RunningMachine::start() {
    rampTarget_ = runningSpeed_;
    rampResidue_ = 0;
}

void RunningMachine::ramp(Micros elapsed) {
    if (!rampTarget_)
        return;
    rampResidue_ += RampPerSecond * elapsed;
    const std::int64_t change = rampResidue_ / 1'000'000;
    rampResidue_ %= 1'000'000;
    const std::int64_t current = speed();
    const std::int64_t target = *rampTarget_;
    const std::int64_t next =
        current < target ? std::min(current + change, target) : std::max(current - change, target);
    memory_.setWord(SpeedAddress, static_cast<std::uint16_t>(next));
    if (next == target)
        rampTarget_.reset();
}

// The controller closes a shift when the line sets F34: the current counts become the last
// shift's and start again from 0. It clears the flag a while later, so the line can read
// back what it wrote and the next shift can be closed the same way.
void RunningMachine::rollShiftWhenAsked(Micros now) {
    const bool asked = memory_.bit(EndOfShiftAddress, EndOfShiftBit);
    if (asked && !endOfShiftSeen_) {
        memory_.setPair(LastGoodCansAddress, memory_.pair(GoodCansAddress));
        memory_.setWord(LastShortCansAddress, memory_.word(ShortCansAddress));
        memory_.setPair(GoodCansAddress, 0);
        memory_.setWord(ShortCansAddress, 0);
        strokeResidue_ = 0;
        endOfShiftAt_ = now;
    } else if (asked && now - endOfShiftAt_ >= EndOfShiftHold) {
        memory_.setBit(EndOfShiftAddress, EndOfShiftBit, false);
    }
    endOfShiftSeen_ = memory_.bit(EndOfShiftAddress, EndOfShiftBit);
}

void RunningMachine::turn(Micros elapsed) {
    const std::int64_t strokesPerMinute = speed();
    if (strokesPerMinute == 0)
        return;
    degreeResidue_ += strokesPerMinute * 360 * elapsed;
    const std::int64_t degrees = degreeResidue_ / MicrosPerMinute;
    degreeResidue_ %= MicrosPerMinute;
    // A position written from outside is taken as where the crank now is.
    const std::int64_t position = memory_.word(PositionAddress) % 360 + degrees;
    memory_.setWord(PositionAddress, static_cast<std::uint16_t>(position % 360));
    addStrokes(static_cast<std::uint64_t>(position / 360));
}

void RunningMachine::addStrokes(std::uint64_t strokes) {
    if (strokes == 0)
        return;
    const std::uint64_t goodCans = memory_.pair(GoodCansAddress) + strokes;
    memory_.setPair(GoodCansAddress, static_cast<std::uint32_t>(goodCans % BoardMemory::PairLimit));
    strokeResidue_ += strokes;
    const std::uint64_t shortCans =
        memory_.word(ShortCansAddress) + strokeResidue_ / StrokesPerShortCan;
    strokeResidue_ %= StrokesPerShortCan;
    memory_.setWord(ShortCansAddress, static_cast<std::uint16_t>(shortCans & 0xFFFF));
}

void RunningMachine::showLiveSignals() {
    const bool running = speed() != 0;
    const int position = memory_.word(PositionAddress) % 360;
    const bool cupfeed = within(position, 90, 200);
    const bool airStrip = within(position, 200, 260);
    const bool clock = (position / 15) % 2 == 0;

    const bool inching = running && speed() <= InchSpeed;
    const bool continuous = running && !inching;
    const bool canAtSensor = running && within(position, 300, 330);

    memory_.setWord(PeriodAddress, running ? static_cast<std::uint16_t>(60000 / speed()) : 0);
    setDriven(InputsAddress, InputsDriven, running ? 0x01 : 0x00);
    setDriven(FlywheelOutputsAddress, FlywheelOutputsDriven,
              static_cast<std::uint8_t>(inching << 4 | continuous << 5));
    setDriven(ShortCanSensorAddress, 0x01, canAtSensor ? 0x01 : 0x00);
    setDriven(OutputsAddress, OutputsDriven,
              static_cast<std::uint8_t>(running << 0 | running << 1 | (running && cupfeed) << 2 |
                                        (running && airStrip) << 4 | clock << 7));
}

void RunningMachine::setDriven(std::uint16_t address, std::uint8_t mask, std::uint8_t value) {
    const auto kept = static_cast<std::uint8_t>(memory_.byte(address) & ~mask);
    memory_.setByte(address, static_cast<std::uint8_t>(kept | (value & mask)));
}

} // namespace sim
