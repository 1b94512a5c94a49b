#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

// The number rules the program relies on wherever texts become numbers and back. Texts are
// read by DecimalText, so a text tested as a number and the value taken from it agree.
class Numbers {
public:
    // Nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
    static double roundHalfEven(double value);

    // Rounded half to even, then fitted to 16 or 32 bits; empty when it does not fit
    // (or is not finite).
    static std::optional<std::int16_t> toInt16(double value);
    static std::optional<std::int32_t> toInt32(double value);

    // The number the text begins with: leading blanks, an optional sign, digits and an
    // optional decimal point with fraction; whatever follows is ignored. 0 when the text
    // does not begin with a number.
    static double leadingNumber(const QString& text);

    // The text is a number and nothing else: optional blanks, an optional sign, digits,
    // optional decimal point and fraction, optional blanks. At least one digit.
    static bool isNumber(const QString& text);

    // The value of a text that passes isNumber; empty otherwise.
    static std::optional<double> numberValue(const QString& text);

    // Decimal with a leading blank for 0 or more and a minus sign for less (" 12", "-12").
    static QString signedText(std::int64_t value);

    // Whole number with the locale's digit grouping ("1,234,567" in English).
    static QString groupedText(std::int64_t value, const QLocale& locale);
};
