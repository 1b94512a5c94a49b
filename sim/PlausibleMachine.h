#pragma once

#include <cstdint>

namespace sim {

class Board;

// What vorna7-sim starts as unless told to start bare: a bodymaker whose set-up parameters
// hold the defaults of a new set-up file, on a K6632(PLC) board (a board that takes a
// program with its configuration file), with a fault its program raised still reported.
// The library's Board stays bare, so tests see only what they set.
class PlausibleMachine {
public:
    static constexpr std::uint8_t BoardType = 61;   // "=", K6632(PLC)
    static constexpr std::uint8_t FaultCode = 0x45; // sfunc09, described in FaultErrCodes.txt

    struct Parameter {
        const char* address;
        std::uint32_t value;
    };
    // The set-up parameters that a new set-up file does not leave at 0.
    static const Parameter Parameters[];
    static const int ParameterCount;

    static void apply(Board& board);
};

} // namespace sim
