#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Board.h"

namespace sim {

// The control commands for the PLS and the identity bytes:
//   channel <0-7> [clear | <on> <off> | pulse <start> <on> <off>]
//   pls-config [<24 bytes>]    pls-busy [<ms>]    firmware [<0-255>]    fault-code [<0-255>]
//   board-type [<0-255>]
// Without values each shows what the board holds ("ok setpoints 150 170", "ok 23").
class PLSControl {
public:
    using Words = std::vector<std::string_view>;

    static bool handles(std::string_view verb);
    static std::string apply(Board& board, const Words& args);

private:
    static std::string channel(Board& board, const Words& args);
    static std::string describe(const PLSChannel& channel);
    static std::string config(Board& board, const Words& args);
    static std::string busy(Board& board, const Words& args);
    static std::string identityByte(Board& board, const Words& args, std::uint16_t address);
    static std::string boardType(Board& board, const Words& args);
};

} // namespace sim
