#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>

#include "BoardClock.h"
#include "BoardFaults.h"
#include "BoardMemory.h"
#include "BoardMode.h"
#include "LimitSwitch.h"
#include "RunningMachine.h"
#include "TrafficLog.h"

namespace sim {

// The target board as the line sees it: one byte in, at most one byte out. Attention (0xFF)
// is acknowledged wherever a new sequence may start and puts the board into the command
// handshake; the command byte selects a mode, which then owns the following bytes.
class Board {
public:
    using Micros = std::int64_t;

    static constexpr std::uint8_t Attention = 0xFF;
    static constexpr std::uint8_t Acknowledge = 0x55;
    static constexpr std::uint8_t ReadCommand = 0x01;
    static constexpr std::uint8_t WriteCommand = 0x02;
    static constexpr std::uint8_t ProgramCommand = 0x03;

    // Identity bytes, with what a fresh board holds.
    static constexpr std::uint16_t FirmwareAddress = 8159;  // B8159
    static constexpr std::uint16_t FaultCodeAddress = 8176; // B8176
    static constexpr std::uint8_t DefaultFirmwareRevision = 23;
    static constexpr std::uint8_t NoFault = 0;
    // Service bytes: program identity (ident, checksum, revision), configuration, faults and
    // comm errors, network addresses and the real-time clock.
    static constexpr std::uint16_t IdentAddress = 61424; // B61424..B61433
    static constexpr std::uint16_t CoCpuSlotAddress = 8175;
    static constexpr std::uint16_t LastFaultAddress = 8177;
    static constexpr std::uint16_t LastCommErrorAddress = 8178;
    static constexpr std::uint16_t CommErrorAddress = 8179;
    static constexpr std::uint16_t NetworkAddress1 = 8180;
    static constexpr std::uint16_t NetworkAddress2 = 8191;
    static constexpr std::uint16_t ConfigAddresses[3] = {8188, 8189, 8190};

    enum class State { Idle, AwaitingCommand, InMode };

    // Read, write and PLS modes installed, machine running at its default speed.
    Board();
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // One byte from the line at time `now`; the answer, if the board gives one.
    std::optional<std::uint8_t> receive(std::uint8_t byte, Micros now);
    void advanceTo(Micros now);

    // Further modes (PLS, program load) plug in by their command byte.
    void installMode(std::uint8_t command, std::unique_ptr<BoardMode> mode);

    State state() const { return state_; }
    std::optional<std::uint8_t> currentCommand() const;
    // Back to idle, as after power-up; memory is kept.
    void resetLine() { state_ = State::Idle; }

    BoardMemory& memory() { return memory_; }
    const BoardMemory& memory() const { return memory_; }
    RunningMachine& machine() { return machine_; }
    LimitSwitch& pls() { return pls_; }
    const LimitSwitch& pls() const { return pls_; }
    BoardFaults& faults() { return faults_; }
    const BoardFaults& faults() const { return faults_; }
    BoardClock& clock() { return clock_; }
    TrafficLog& traffic() { return traffic_; }
    const TrafficLog& traffic() const { return traffic_; }

    // The type code of the board simulated. No exchange on the line asks for it (the program
    // takes the type from program files); the control channel shows it. 0 names no board.
    std::uint8_t boardType() const { return boardType_; }
    void setBoardType(std::uint8_t code) { boardType_ = code; }

private:
    std::optional<Reply> step(std::uint8_t byte);
    std::optional<Reply> handshake(std::uint8_t byte);
    std::uint8_t spoiled(const Reply& reply);
    static Reply notUnderstood(std::uint8_t byte);
    void loadServiceBytes();

    BoardMemory memory_;
    RunningMachine machine_;
    BoardClock clock_{memory_};
    BoardFaults faults_;
    LimitSwitch pls_;
    TrafficLog traffic_;
    std::map<std::uint8_t, std::unique_ptr<BoardMode>> modes_;
    State state_ = State::Idle;
    std::uint8_t command_ = 0;
    std::uint8_t boardType_ = 0;
};

} // namespace sim
