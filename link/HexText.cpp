#include "HexText.h"

#include <array>
#include <limits>

namespace {

constexpr std::array<char16_t, 6> HexLetters{u'A', u'B', u'C', u'D', u'E', u'F'};
// MarkHEX writes the digits A..F with the characters that follow '9'.
constexpr std::array<char16_t, 6> MarkLetters{u':', u';', u'<', u'=', u'>', u'?'};

std::optional<std::int16_t> asInteger(std::int32_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

QString replaceEach(QString text, const std::array<char16_t, 6>& from,
                    const std::array<char16_t, 6>& to) {
    for (std::size_t i = 0; i < from.size(); ++i) {
        text.replace(QChar(from[i]), QChar(to[i]));
    }
    return text;
}

} // namespace

std::optional<std::int16_t> HexText::Dec2Octal(std::int16_t DecNum) {
    const std::int32_t dec = DecNum;
    return asInteger(dec / 8 * 10 + dec % 8);
}

std::optional<std::int16_t> HexText::Octal2Dec(std::int16_t OctNum) {
    const std::int32_t oct = OctNum;
    return asInteger(oct / 10 * 8 + oct % 10);
}

std::optional<std::int32_t> HexText::Hex2Dec(const QString& text) {
    if (text.isEmpty() || text.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t bits = 0;
    for (QChar c : text) {
        const int digit = HexText::digitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        bits = bits * 16 + static_cast<std::uint32_t>(digit);
    }
    // Like a hexadecimal literal: four digits or fewer make a 16-bit number, so FFFF is -1.
    if (text.size() <= 4) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(bits));
    }
    return static_cast<std::int32_t>(bits);
}

QString HexText::MarkHex2Dec(const QString& text) {
    const std::optional<std::int32_t> value = Hex2Dec(MarkHex2HEX(text));
    return value ? QString::number(*value) : QString();
}

QString HexText::MarkHex2HEX(const QString& MarkHEX) {
    return replaceEach(MarkHEX, MarkLetters, HexLetters);
}

QString HexText::HEX2MarkHEX(const QString& HexCode) {
    return replaceEach(HexCode, HexLetters, MarkLetters);
}

int HexText::digitValue(QChar c) {
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}
