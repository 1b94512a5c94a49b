#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Board.h"

namespace sim {

// The run-time control language of the simulator, one command per line:
//   fault silence|wrong-echo|wrong-ack|line-drop on|off|<count> [after <count>]
//   fault clear
//   drop    wire 0|9600|19200    speed <strokes/min>
//   set <address> <value>    get <address>
// and the PLS and identity commands of PLSControl.
// Each line is answered with "ok", "ok <value>" or "error <reason>".
class ControlCommand {
public:
    static std::string apply(Board& board, std::string_view line);

private:
    static std::vector<std::string_view> words(std::string_view line);
    static std::string fault(Board& board, const std::vector<std::string_view>& args);
    static std::string set(Board& board, const std::vector<std::string_view>& args);
    static std::string get(const Board& board, const std::vector<std::string_view>& args);
    static std::string wire(Board& board, const std::vector<std::string_view>& args);
    static std::string speed(Board& board, const std::vector<std::string_view>& args);
};

} // namespace sim
