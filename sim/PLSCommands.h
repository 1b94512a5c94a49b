#pragma once

#include <cstdint>

namespace sim {

class Board;

// The PLS command bytes of the board and the modes that serve them.
class PLSCommands {
public:
    static constexpr std::uint8_t ReadScale = 24;
    static constexpr std::uint8_t ReadOffset = 40;
    static constexpr std::uint8_t ReadPosition = 72;
    static constexpr std::uint8_t ReadSpeed = 88;
    static constexpr std::uint8_t WriteOffset = 42;
    static constexpr std::uint8_t WriteScale = 26;
    static constexpr std::uint8_t ChannelSetpoints = 27; // flag 1: ON/OFF pair, flag 0: clear
    static constexpr std::uint8_t ChannelPulseTrain = 43;
    static constexpr std::uint8_t ConfigGroup[4] = {59, 75, 91, 107};
    static constexpr std::uint8_t ReadConfig = 12;
    static constexpr std::uint8_t RecallChannel = 6;

    static void install(Board& board);

private:
    static void installReads(Board& board);
    static void installWords(Board& board);
    static void installChannels(Board& board);
    static void installConfig(Board& board);
};

} // namespace sim
