#pragma once

#include <array>
#include <cstdint>

namespace sim {

// The board's 64 KiB of byte memory with the value layouts of the line: words low byte
// first, "double" values as two base-10000 words.
class BoardMemory {
public:
    static constexpr std::size_t Size = 0x10000;
    static constexpr std::uint32_t PairLimit = 655'360'000; // 65536 * 10000

    BoardMemory() { bytes_.fill(0); }

    std::uint8_t byte(std::uint16_t address) const { return bytes_[address]; }
    void setByte(std::uint16_t address, std::uint8_t value) { bytes_[address] = value; }

    bool bit(std::uint16_t address, int bit) const;
    void setBit(std::uint16_t address, int bit, bool on);

    std::uint16_t word(std::uint16_t address) const;
    void setWord(std::uint16_t address, std::uint16_t value);

    // Word at address holds value mod 10000, word at address + 2 holds value div 10000.
    std::uint32_t pair(std::uint16_t address) const;
    void setPair(std::uint16_t address, std::uint32_t value);

private:
    std::array<std::uint8_t, Size> bytes_;
};

} // namespace sim
