#pragma once

#include <array>
#include <cstdint>

#include "BoardFaults.h"
#include "BoardMemory.h"
#include "PLSChannel.h"
#include "RunningMachine.h"

namespace sim {

// The programmable limit switch of the board: it divides each crank revolution into `scale`
// divisions and switches eight channels at programmed divisions. Scale factor and offset
// live in board memory (W186, W188) so memory reads and the PLS commands agree; the outputs
// are shown in B170 (bit n = CH0n).
//
// Position = (crank degrees * scale / 360 - offset) mod scale: the offset is the raw
// position that reads as 0. The link sets the offset for a wanted position P as
// ((offset + position) mod scale + scale - P) mod scale, which is then (raw - P) mod scale,
// so the position reads P afterwards.
class LimitSwitch {
public:
    using Micros = std::int64_t;

    static constexpr std::uint16_t OutputsAddress = 170; // B170
    static constexpr std::uint16_t ScaleAddress = 186;   // W186
    static constexpr std::uint16_t OffsetAddress = 188;  // W188
    static constexpr std::uint16_t DefaultScale = 360;
    // Positions must recall with a high byte of at most 16.
    static constexpr std::uint16_t MaxScale = 17 * 256;
    static constexpr int ChannelCount = 8;
    static constexpr std::size_t ConfigGroupSize = 6;
    static constexpr std::size_t ConfigGroupCount = 4;
    static constexpr std::size_t ConfigSize = ConfigGroupSize * ConfigGroupCount;
    static constexpr std::size_t ConfigReadoutSize = 19;
    static constexpr std::size_t ChannelCountByte = 18; // of the configuration
    static constexpr std::uint8_t DefaultChannelCount = 8;

    using Config = std::array<std::uint8_t, ConfigSize>;
    using ConfigReadout = std::array<std::uint8_t, ConfigReadoutSize>;

    LimitSwitch(BoardMemory& memory, const RunningMachine& machine, BoardFaults& faults);

    // The board's time: ends busy periods and brings the outputs up to the crank.
    void advanceTo(Micros now);

    std::uint16_t scale() const { return memory_.word(ScaleAddress); }
    std::uint16_t offset() const { return memory_.word(OffsetAddress); }
    std::uint16_t position() const;
    // One crank revolution per stroke.
    std::uint16_t rpm() const { return machine_.speed(); }
    // False (nothing changed) for 0 or above MaxScale.
    bool setScale(std::uint16_t scale);
    // False (nothing changed) when not below the scale factor.
    bool setOffset(std::uint16_t offset);

    static bool hasChannel(int channel) { return channel >= 0 && channel < ChannelCount; }
    const PLSChannel& channel(int index) const { return channels_.at(index); }
    // False (nothing changed) for a setpoint outside the revolution.
    bool programSetpoints(int index, std::uint16_t on, std::uint16_t off);
    // False (nothing changed) for a zero division, a period that does not divide the
    // revolution, or a start outside it.
    bool programPulseTrain(int index, std::uint16_t start, std::uint8_t onDivisions,
                           std::uint8_t offDivisions);
    void clearChannel(int index);
    PLSChannel::RecallStep recall(int index) { return channels_.at(index).recall(); }

    // The 24 configuration bytes as written in four groups of six.
    const Config& config() const { return config_; }
    void storeConfigGroup(std::size_t group,
                          const std::array<std::uint8_t, ConfigGroupSize>& bytes);
    // The 19 bytes the configuration read answers with, in the board's own order: channel
    // count (byte 18), program (byte 0), speed compensation of CH00..CH07 (bytes 1-4, 6-9),
    // bytes 10-17, then byte 5.
    ConfigReadout configReadout() const;

    // After each completed write the PLS reports busy this long before it is ready.
    void setBusyPeriod(Micros period) { busyPeriod_ = period; }
    Micros busyPeriod() const { return busyPeriod_; }
    void startBusyPeriod() { busyUntil_ = now_ + busyPeriod_; }
    // Asked once per READY poll; a planned "not ready" fault counts that poll.
    bool busy();

    // Asked before the PLS acknowledges a byte of one of its commands; true when a planned
    // "wrong acknowledge" fault makes it refuse the byte instead.
    bool refusesByte() { return faults_.strike(Fault::PLSWrongAck); }
    BoardFaults& faults() { return faults_; }

private:
    void showOutputs();

    BoardMemory& memory_;
    const RunningMachine& machine_;
    BoardFaults& faults_;
    std::array<PLSChannel, ChannelCount> channels_;
    Config config_{};
    Micros now_ = 0;
    Micros busyPeriod_ = 0;
    Micros busyUntil_ = 0;
};

} // namespace sim
