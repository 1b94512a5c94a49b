#include "SimAddress.h"

#include <cctype>

#include "WholeNumber.h"

namespace sim {

namespace {

// Whole decimal number of 1..5 digits and nothing else.
std::optional<std::uint32_t> decimal(std::string_view digits) {
    if (digits.size() > 5)
        return std::nullopt;
    return WholeNumber::parse(digits);
}

std::optional<std::uint32_t> hexadecimal(std::string_view digits) {
    if (digits.empty() || digits.size() > 4)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        const int digit = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

} // namespace

std::optional<SimAddress> SimAddress::parse(std::string_view text) {
    if (text.size() < 2)
        return std::nullopt;
    const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
    if (last == 'H')
        return parseHex(text.substr(0, text.size() - 1));
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text.front())));
    return parseTyped(letter, text.substr(1));
}

std::optional<SimAddress> SimAddress::parseHex(std::string_view digits) {
    const auto value = hexadecimal(digits);
    if (!value)
        return std::nullopt;
    return SimAddress(Kind::Byte, static_cast<std::uint16_t>(*value), 0);
}

std::optional<SimAddress> SimAddress::parseTyped(char letter, std::string_view rest) {
    const std::size_t point = rest.find('.');
    if (point != std::string_view::npos) {
        const auto address = decimal(rest.substr(0, point));
        const auto bit = decimal(rest.substr(point + 1));
        if (letter != 'B' || !address || *address > 0xFFFF || !bit || *bit > 7 ||
            rest.size() - point != 2)
            return std::nullopt;
        return SimAddress(Kind::Bit, static_cast<std::uint16_t>(*address), static_cast<int>(*bit));
    }
    const auto number = decimal(rest);
    if (!number)
        return std::nullopt;
    switch (letter) {
    case 'B':
        if (*number > 0xFFFF)
            return std::nullopt;
        return SimAddress(Kind::Byte, static_cast<std::uint16_t>(*number), 0);
    case 'W':
        if (*number > 0xFFFE)
            return std::nullopt;
        return SimAddress(Kind::Word, static_cast<std::uint16_t>(*number), 0);
    case 'D':
        if (*number > 0xFFFC)
            return std::nullopt;
        return SimAddress(Kind::Pair, static_cast<std::uint16_t>(*number), 0);
    case 'F':
        if (32 + *number / 8 > 0xFFFF)
            return std::nullopt;
        return SimAddress(Kind::Bit, static_cast<std::uint16_t>(32 + *number / 8),
                          static_cast<int>(*number % 8));
    default:
        return std::nullopt;
    }
}

std::uint32_t SimAddress::maxValue() const {
    switch (kind_) {
    case Kind::Byte:
        return 0xFF;
    case Kind::Word:
        return 0xFFFF;
    case Kind::Pair:
        return BoardMemory::PairLimit - 1;
    case Kind::Bit:
        return 1;
    }
    return 0;
}

std::uint32_t SimAddress::read(const BoardMemory& memory) const {
    switch (kind_) {
    case Kind::Byte:
        return memory.byte(address_);
    case Kind::Word:
        return memory.word(address_);
    case Kind::Pair:
        return memory.pair(address_);
    case Kind::Bit:
        return memory.bit(address_, bit_) ? 1 : 0;
    }
    return 0;
}

bool SimAddress::write(BoardMemory& memory, std::uint32_t value) const {
    if (value > maxValue())
        return false;
    switch (kind_) {
    case Kind::Byte:
        memory.setByte(address_, static_cast<std::uint8_t>(value));
        break;
    case Kind::Word:
        memory.setWord(address_, static_cast<std::uint16_t>(value));
        break;
    case Kind::Pair:
        memory.setPair(address_, value);
        break;
    case Kind::Bit:
        memory.setBit(address_, bit_, value != 0);
        break;
    }
    return true;
}

} // namespace sim
