#pragma once

#include <QStringView>
#include <cstdint>

// "The number the text begins with", without ever overflowing: address and value texts come
// from files and users, so a run of digits of any length must still give a usable number.
class DecimalText {
public:
    // Any longer run of digits reads as this value: far beyond every address and value range,
    // and small enough that callers may add offsets to it freely.
    static constexpr std::uint64_t Saturated = 999'999'999'999'999ULL;

    // The run of ASCII digits at the start; 0 when the text does not start with a digit.
    static std::uint64_t leadingDigits(QStringView text);
    // Leading blanks, an optional sign, then the digit run (0 when there are no digits).
    static std::int64_t leadingNumber(QStringView text);
    // One or more ASCII digits and nothing else.
    static bool isDigits(QStringView text);
    static bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
};
