#include "PLSControl.h"

#include "WholeNumber.h"

namespace sim {

namespace {

const std::string Ok = "ok";
constexpr std::uint32_t MaxBusyMs = 60'000;
constexpr std::int64_t MicrosPerMs = 1000;

std::optional<std::uint32_t> upTo(std::string_view text, std::uint32_t max) {
    return WholeNumber::parse(text, 0, max);
}

} // namespace

bool PLSControl::handles(std::string_view verb) {
    return verb == "channel" || verb == "pls-config" || verb == "pls-busy" || verb == "firmware" ||
           verb == "fault-code" || verb == "board-type";
}

std::string PLSControl::apply(Board& board, const Words& args) {
    const std::string_view verb = args.front();
    if (verb == "channel")
        return channel(board, args);
    if (verb == "pls-config")
        return config(board, args);
    if (verb == "pls-busy")
        return busy(board, args);
    if (verb == "firmware")
        return identityByte(board, args, Board::FirmwareAddress);
    if (verb == "board-type")
        return boardType(board, args);
    return identityByte(board, args, Board::FaultCodeAddress);
}

std::string PLSControl::channel(Board& board, const Words& args) {
    const std::string usage = "error usage: channel <0-7> [clear | <on> <off> | pulse <start> "
                              "<on> <off>]";
    const auto index =
        args.size() >= 2 ? upTo(args[1], LimitSwitch::ChannelCount - 1) : std::nullopt;
    if (!index)
        return usage;
    const int chosen = static_cast<int>(*index);
    LimitSwitch& pls = board.pls();
    if (args.size() == 2)
        return Ok + " " + describe(pls.channel(chosen));
    if (args.size() == 3 && args[2] == "clear") {
        pls.clearChannel(chosen);
        return Ok;
    }
    if (args.size() == 4) {
        const auto on = upTo(args[2], 0xFFFF);
        const auto off = upTo(args[3], 0xFFFF);
        if (!on || !off)
            return usage;
        return pls.programSetpoints(chosen, static_cast<std::uint16_t>(*on),
                                    static_cast<std::uint16_t>(*off))
                   ? Ok
                   : "error setpoint outside the scale factor";
    }
    if (args.size() == 6 && args[2] == "pulse") {
        const auto start = upTo(args[3], 0xFFFF);
        const auto on = upTo(args[4], 0xFF);
        const auto off = upTo(args[5], 0xFF);
        if (!start || !on || !off)
            return usage;
        return pls.programPulseTrain(chosen, static_cast<std::uint16_t>(*start),
                                     static_cast<std::uint8_t>(*on),
                                     static_cast<std::uint8_t>(*off))
                   ? Ok
                   : "error pulse train does not fit the scale factor";
    }
    return usage;
}

std::string PLSControl::describe(const PLSChannel& channel) {
    switch (channel.kind()) {
    case PLSChannel::Kind::Cleared:
        return "cleared";
    case PLSChannel::Kind::Setpoints:
        return "setpoints " + std::to_string(channel.onSetpoint()) + " " +
               std::to_string(channel.offSetpoint());
    case PLSChannel::Kind::PulseTrain:
        return "pulse-train " + std::to_string(channel.start()) + " " +
               std::to_string(channel.onDivisions()) + " " + std::to_string(channel.offDivisions());
    }
    return {};
}

std::string PLSControl::config(Board& board, const Words& args) {
    LimitSwitch& pls = board.pls();
    if (args.size() == 1) {
        std::string answer = Ok;
        for (std::uint8_t value : pls.config())
            answer += " " + std::to_string(value);
        return answer;
    }
    const std::string usage = "error usage: pls-config [<24 values 0-255>]";
    if (args.size() != 1 + LimitSwitch::ConfigSize)
        return usage;
    LimitSwitch::Config values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto value = upTo(args[1 + i], 0xFF);
        if (!value)
            return usage;
        values[i] = static_cast<std::uint8_t>(*value);
    }
    for (std::size_t group = 0; group < LimitSwitch::ConfigGroupCount; ++group) {
        std::array<std::uint8_t, LimitSwitch::ConfigGroupSize> bytes{};
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = values[group * LimitSwitch::ConfigGroupSize + i];
        pls.storeConfigGroup(group, bytes);
    }
    return Ok;
}

std::string PLSControl::busy(Board& board, const Words& args) {
    LimitSwitch& pls = board.pls();
    if (args.size() == 1)
        return Ok + " " + std::to_string(pls.busyPeriod() / MicrosPerMs);
    const auto ms = args.size() == 2 ? upTo(args[1], MaxBusyMs) : std::nullopt;
    if (!ms)
        return "error usage: pls-busy [<ms 0-60000>]";
    pls.setBusyPeriod(static_cast<std::int64_t>(*ms) * MicrosPerMs);
    return Ok;
}

std::string PLSControl::identityByte(Board& board, const Words& args, std::uint16_t address) {
    if (args.size() == 1)
        return Ok + " " + std::to_string(board.memory().byte(address));
    const auto value = args.size() == 2 ? upTo(args[1], 0xFF) : std::nullopt;
    if (!value)
        return "error usage: " + std::string(args.front()) + " [<0-255>]";
    board.memory().setByte(address, static_cast<std::uint8_t>(*value));
    return Ok;
}

std::string PLSControl::boardType(Board& board, const Words& args) {
    if (args.size() == 1)
        return Ok + " " + std::to_string(board.boardType());
    const auto value = args.size() == 2 ? upTo(args[1], 0xFF) : std::nullopt;
    if (!value)
        return "error usage: board-type [<0-255>]";
    board.setBoardType(static_cast<std::uint8_t>(*value));
    return Ok;
}

} // namespace sim
