#include "ControlCommand.h"

#include "PLSControl.h"
#include "SimAddress.h"
#include "WholeNumber.h"

namespace sim {

namespace {

const std::string Ok = "ok";
constexpr std::uint32_t MaxCount = 1'000'000;

} // namespace

std::string ControlCommand::apply(Board& board, std::string_view line) {
    const std::vector<std::string_view> args = words(line);
    if (args.empty())
        return "error empty command";
    const std::string_view verb = args.front();
    if (verb == "fault")
        return fault(board, args);
    if (verb == "set")
        return set(board, args);
    if (verb == "get")
        return get(board, args);
    if (verb == "wire")
        return wire(board, args);
    if (verb == "speed")
        return speed(board, args);
    if (PLSControl::handles(verb))
        return PLSControl::apply(board, args);
    if (verb == "drop" && args.size() == 1) {
        board.faults().dropLine();
        return Ok;
    }
    return "error unknown command";
}

std::vector<std::string_view> ControlCommand::words(std::string_view line) {
    std::vector<std::string_view> result;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t\r\n", at);
        if (start == std::string_view::npos)
            break;
        std::size_t stop = line.find_first_of(" \t\r\n", start);
        if (stop == std::string_view::npos)
            stop = line.size();
        result.push_back(line.substr(start, stop - start));
        at = stop;
    }
    return result;
}

std::string ControlCommand::fault(Board& board, const std::vector<std::string_view>& args) {
    if (args.size() == 2 && args[1] == "clear") {
        board.faults().clear();
        return Ok;
    }
    const bool delayed = args.size() == 5 && args[3] == "after";
    if (args.size() != 3 && !delayed)
        return "error usage: fault <name> on|off|<count> [after <count>]";
    const auto which = BoardFaults::named(args[1]);
    if (!which)
        return "error unknown fault";
    if (args[2] == "on" && !delayed) {
        board.faults().set(*which, FaultPlan::always());
        return Ok;
    }
    if (args[2] == "off" && !delayed) {
        board.faults().set(*which, FaultPlan::never());
        return Ok;
    }
    const auto count = WholeNumber::parse(args[2]);
    const auto after = delayed ? WholeNumber::parse(args[4]) : std::optional<std::uint32_t>(0);
    if (!count || *count == 0 || *count > MaxCount || !after || *after > MaxCount)
        return "error bad count";
    board.faults().set(*which, FaultPlan::next(static_cast<int>(*count), static_cast<int>(*after)));
    return Ok;
}

std::string ControlCommand::set(Board& board, const std::vector<std::string_view>& args) {
    if (args.size() != 3)
        return "error usage: set <address> <value>";
    const auto address = SimAddress::parse(args[1]);
    if (!address)
        return "error bad address";
    const auto value = WholeNumber::parse(args[2]);
    if (!value || !address->write(board.memory(), *value))
        return "error bad value";
    return Ok;
}

std::string ControlCommand::get(const Board& board, const std::vector<std::string_view>& args) {
    if (args.size() != 2)
        return "error usage: get <address>";
    const auto address = SimAddress::parse(args[1]);
    if (!address)
        return "error bad address";
    return Ok + " " + std::to_string(address->read(board.memory()));
}

std::string ControlCommand::wire(Board& board, const std::vector<std::string_view>& args) {
    const auto baud = args.size() == 2 ? WholeNumber::parse(args[1]) : std::nullopt;
    if (!baud || *baud > 19200 || !board.faults().setWireBaud(static_cast<int>(*baud)))
        return "error usage: wire 0|9600|19200";
    return Ok;
}

std::string ControlCommand::speed(Board& board, const std::vector<std::string_view>& args) {
    const auto value = args.size() == 2 ? WholeNumber::parse(args[1]) : std::nullopt;
    if (!value || *value > 0xFFFF)
        return "error usage: speed <strokes per minute>";
    board.machine().setSpeed(static_cast<std::uint16_t>(*value));
    return Ok;
}

} // namespace sim
