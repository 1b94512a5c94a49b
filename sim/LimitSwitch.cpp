#include "LimitSwitch.h"

namespace sim {

namespace {

constexpr int DegreesPerRevolution = 360;

// The timing of a bodymaker as the set-up data starts it, so a fresh board has something to
// show and recall.
constexpr std::array<std::array<std::uint16_t, 2>, LimitSwitch::ChannelCount> DefaultSetpoints{{
    {150, 170},
    {200, 220},
    {155, 175},
    {110, 130},
    {150, 350},
    {150, 200},
    {120, 190},
    {180, 0},
}};

} // namespace

LimitSwitch::LimitSwitch(BoardMemory& memory, const RunningMachine& machine, BoardFaults& faults)
    : memory_(memory), machine_(machine), faults_(faults) {
    memory_.setWord(ScaleAddress, DefaultScale);
    memory_.setWord(OffsetAddress, 0);
    for (int i = 0; i < ChannelCount; ++i)
        channels_[i].setSetpoints(DefaultSetpoints[i][0], DefaultSetpoints[i][1]);
    config_[ChannelCountByte] = DefaultChannelCount;
    showOutputs();
}

void LimitSwitch::advanceTo(Micros now) {
    if (now > now_)
        now_ = now;
    showOutputs();
}

std::uint16_t LimitSwitch::position() const {
    const int divisions = scale();
    if (divisions == 0)
        return 0;
    const int crank = machine_.position() % DegreesPerRevolution;
    const int raw = crank * divisions / DegreesPerRevolution;
    return static_cast<std::uint16_t>(((raw - offset()) % divisions + divisions) % divisions);
}

bool LimitSwitch::setScale(std::uint16_t scale) {
    if (scale == 0 || scale > MaxScale)
        return false;
    memory_.setWord(ScaleAddress, scale);
    showOutputs();
    return true;
}

bool LimitSwitch::setOffset(std::uint16_t offset) {
    if (offset >= scale())
        return false;
    memory_.setWord(OffsetAddress, offset);
    showOutputs();
    return true;
}

bool LimitSwitch::programSetpoints(int index, std::uint16_t on, std::uint16_t off) {
    if (on >= scale() || off >= scale())
        return false;
    channels_.at(index).setSetpoints(on, off);
    showOutputs();
    return true;
}

bool LimitSwitch::programPulseTrain(int index, std::uint16_t start, std::uint8_t onDivisions,
                                    std::uint8_t offDivisions) {
    const int period = onDivisions + offDivisions;
    if (onDivisions == 0 || offDivisions == 0 || scale() % period != 0 || start >= scale())
        return false;
    channels_.at(index).setPulseTrain(start, onDivisions, offDivisions);
    showOutputs();
    return true;
}

void LimitSwitch::clearChannel(int index) {
    channels_.at(index).clear();
    showOutputs();
}

void LimitSwitch::storeConfigGroup(std::size_t group,
                                   const std::array<std::uint8_t, ConfigGroupSize>& bytes) {
    for (std::size_t i = 0; i < ConfigGroupSize; ++i)
        config_.at(group * ConfigGroupSize + i) = bytes[i];
}

LimitSwitch::ConfigReadout LimitSwitch::configReadout() const {
    ConfigReadout readout{};
    readout[0] = config_[ChannelCountByte];
    readout[1] = config_[0];
    for (std::size_t i = 0; i < 4; ++i) {
        readout[2 + i] = config_[1 + i];
        readout[6 + i] = config_[6 + i];
    }
    for (std::size_t i = 0; i < 8; ++i)
        readout[10 + i] = config_[10 + i];
    readout[18] = config_[5];
    return readout;
}

bool LimitSwitch::busy() {
    const bool stillStoring = now_ < busyUntil_;
    return faults_.strike(Fault::PLSNotReady) || stillStoring;
}

void LimitSwitch::showOutputs() {
    const std::uint16_t at = position();
    const std::uint16_t divisions = scale();
    std::uint8_t outputs = 0;
    for (int i = 0; i < ChannelCount; ++i) {
        if (channels_[i].output(at, divisions))
            outputs = static_cast<std::uint8_t>(outputs | (1U << i));
    }
    memory_.setByte(OutputsAddress, outputs);
}

} // namespace sim
