#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Octal, hexadecimal and MarkHEX helpers (MarkHEX writes A..F as ':' ';' '<' '=' '>' '?').
class HexText {
public:
    // Two-digit octal notation; empty on 16-bit overflow.
    static std::optional<std::int16_t> Dec2Octal(std::int16_t DecNum);
    static std::optional<std::int16_t> Octal2Dec(std::int16_t OctNum);
    // Hexadecimal literal semantics: up to 4 digits a 16-bit two's-complement value, up to 8
    // digits 32-bit. Empty for a text that is not 1..8 hexadecimal digits.
    static std::optional<std::int32_t> Hex2Dec(const QString& text);
    // Decimal text of a MarkHEX number; empty when it is not one.
    static QString MarkHex2Dec(const QString& text);
    static QString MarkHex2HEX(const QString& MarkHEX);
    static QString HEX2MarkHEX(const QString& HexCode);
    // 0..15 for a hexadecimal digit of either case, -1 for anything else.
    static int digitValue(QChar c);
};
