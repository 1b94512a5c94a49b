#include "BoardMemory.h"

namespace sim {

bool BoardMemory::bit(std::uint16_t address, int bit) const {
    return (bytes_[address] >> bit) & 1;
}

void BoardMemory::setBit(std::uint16_t address, int bit, bool on) {
    const auto mask = static_cast<std::uint8_t>(1U << bit);
    bytes_[address] = on ? (bytes_[address] | mask) : (bytes_[address] & ~mask);
}

std::uint16_t BoardMemory::word(std::uint16_t address) const {
    const auto high = bytes_[static_cast<std::uint16_t>(address + 1)];
    return static_cast<std::uint16_t>(high << 8 | bytes_[address]);
}

void BoardMemory::setWord(std::uint16_t address, std::uint16_t value) {
    bytes_[address] = static_cast<std::uint8_t>(value & 0xFF);
    bytes_[static_cast<std::uint16_t>(address + 1)] = static_cast<std::uint8_t>(value >> 8);
}

std::uint32_t BoardMemory::pair(std::uint16_t address) const {
    return static_cast<std::uint32_t>(word(static_cast<std::uint16_t>(address + 2))) * 10000U +
           word(address);
}

void BoardMemory::setPair(std::uint16_t address, std::uint32_t value) {
    value %= PairLimit;
    setWord(address, static_cast<std::uint16_t>(value % 10000));
    setWord(static_cast<std::uint16_t>(address + 2), static_cast<std::uint16_t>(value / 10000));
}

} // namespace sim
