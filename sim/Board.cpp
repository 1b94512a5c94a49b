#include "Board.h"

#include "PLSCommands.h"
#include "ProgramLoadMode.h"
#include "ReadMode.h"
#include "WriteMode.h"

namespace sim {

Board::Board() : machine_(memory_), pls_(memory_, machine_, faults_) {
    installMode(ReadCommand, std::make_unique<ReadMode>());
    installMode(WriteCommand, std::make_unique<WriteMode>());
    installMode(ProgramCommand, std::make_unique<ProgramLoadMode>(faults_));
    PLSCommands::install(*this);
    memory_.setByte(FirmwareAddress, DefaultFirmwareRevision);
    memory_.setByte(FaultCodeAddress, NoFault);
    loadServiceBytes();
}

// What a board fresh from the factory answers: a program "VORNA7" of checksum AFH and
// revision 5, the configuration a download writes without a configuration file, network
// address 1 and the clock at noon on 1 January 2026.
void Board::loadServiceBytes() {
    const char ident[] = "VORNA7";
    for (std::uint16_t k = 0; k < 8; ++k)
        memory_.setByte(static_cast<std::uint16_t>(IdentAddress + k),
                        k < sizeof ident - 1 ? static_cast<std::uint8_t>(ident[k]) : 0);
    memory_.setByte(IdentAddress + 8, 0xAF);
    memory_.setByte(IdentAddress + 9, 5);
    const std::uint8_t config[3] = {20, 0, 12};
    for (int i = 0; i < 3; ++i)
        memory_.setByte(ConfigAddresses[i], config[i]);
    for (std::uint16_t address :
         {CoCpuSlotAddress, LastFaultAddress, LastCommErrorAddress, CommErrorAddress})
        memory_.setByte(address, NoFault);
    memory_.setByte(NetworkAddress1, 1);
    memory_.setByte(NetworkAddress2, 1);
    clock_.set(12, 0, 0, 1, 1, 26);
}

void Board::advanceTo(Micros now) {
    machine_.advanceTo(now);
    pls_.advanceTo(now);
    clock_.advanceTo(now);
}

void Board::installMode(std::uint8_t command, std::unique_ptr<BoardMode> mode) {
    modes_[command] = std::move(mode);
}

std::optional<std::uint8_t> Board::currentCommand() const {
    if (state_ != State::InMode)
        return std::nullopt;
    return command_;
}

std::optional<std::uint8_t> Board::receive(std::uint8_t byte, Micros now) {
    if (faults_.lineDropped())
        return std::nullopt;
    if (faults_.strike(Fault::LineDrop)) {
        faults_.dropLine();
        return std::nullopt;
    }
    advanceTo(now);
    std::optional<std::uint8_t> answer;
    if (!faults_.strike(Fault::Silence)) {
        if (const auto reply = step(byte))
            answer = spoiled(*reply);
    }
    traffic_.record(byte, answer);
    return answer;
}

std::optional<Reply> Board::step(std::uint8_t byte) {
    if (state_ != State::InMode)
        return handshake(byte);
    BoardMode& mode = *modes_.at(command_);
    if (byte == Attention && mode.atSequenceStart()) {
        state_ = State::AwaitingCommand;
        return Reply{Acknowledge, ReplyKind::Acknowledge};
    }
    const ModeStep step = mode.receive(byte, memory_);
    if (step.leaveMode)
        state_ = State::Idle;
    return step.reply;
}

std::optional<Reply> Board::handshake(std::uint8_t byte) {
    // A repeated attention byte (the link resynchronising) is acknowledged again.
    if (byte == Attention) {
        state_ = State::AwaitingCommand;
        return Reply{Acknowledge, ReplyKind::Acknowledge};
    }
    if (state_ == State::AwaitingCommand) {
        const auto mode = modes_.find(byte);
        if (mode != modes_.end()) {
            command_ = byte;
            mode->second->enter();
            state_ = State::InMode;
            return Reply{Acknowledge, ReplyKind::Acknowledge};
        }
    }
    state_ = State::Idle;
    return notUnderstood(byte);
}

std::uint8_t Board::spoiled(const Reply& reply) {
    if (reply.kind == ReplyKind::Echo && faults_.strike(Fault::WrongEcho))
        return static_cast<std::uint8_t>(~reply.byte);
    if (reply.kind == ReplyKind::Acknowledge && faults_.strike(Fault::WrongAcknowledge))
        return BoardFaults::SpoiledAcknowledge;
    return reply.byte;
}

// Echoed, except that an echo must never pass for an acknowledge.
Reply Board::notUnderstood(std::uint8_t byte) {
    return Reply{byte == Acknowledge ? std::uint8_t{0x00} : byte, ReplyKind::Data};
}

} // namespace sim
