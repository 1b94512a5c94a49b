#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "BoardMemory.h"

namespace sim {

// A typed address as the control channel and tests name board data: B1020, W1022, D1100,
// B1020.0, F34 (bit n%8 of byte 32 + n/8) and 1FF0H. Stricter than the program's own
// parser: anything malformed is refused instead of guessed.
class SimAddress {
public:
    enum class Kind { Byte, Word, Pair, Bit };

    static std::optional<SimAddress> parse(std::string_view text);

    Kind kind() const { return kind_; }
    std::uint16_t address() const { return address_; }
    int bit() const { return bit_; }
    std::uint32_t maxValue() const;

    std::uint32_t read(const BoardMemory& memory) const;
    // False (and nothing written) when the value does not fit.
    bool write(BoardMemory& memory, std::uint32_t value) const;

private:
    SimAddress(Kind kind, std::uint16_t address, int bit)
        : kind_(kind), address_(address), bit_(bit) {}

    static std::optional<SimAddress> parseHex(std::string_view digits);
    static std::optional<SimAddress> parseTyped(char letter, std::string_view rest);

    Kind kind_;
    std::uint16_t address_;
    int bit_;
};

} // namespace sim
