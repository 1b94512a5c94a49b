#pragma once

#include <QStringView>
#include <cstdint>

// The one reader of decimal texts: "the number the text begins with" and its parts, without
// ever overflowing. Address, value and settings texts come from files and users, so any input
// must still give a usable number.
class DecimalText {
public:
    // Any longer run of digits reads as this value: far beyond every address and value range,
    // and small enough that callers may add offsets to it freely.
    static constexpr std::uint64_t Saturated = 999'999'999'999'999ULL;

    // What the text begins with: blanks, an optional sign, digits and an optional decimal
    // point with fraction (at least one digit in all). The decimal point is always ".",
    // whatever the locale, so a text tested as a number and the value taken from it agree.
    struct Number {
        qsizetype end = 0; // just past the number; 0 when the text does not begin with one
        bool negative = false;
        std::uint64_t whole = 0; // the digits before the point, Saturated when longer
        double value = 0.0;      // with sign and fraction; infinite beyond a double
    };
    static Number scan(QStringView text);

    // The run of ASCII digits at the start; 0 when the text does not start with a digit.
    static std::uint64_t leadingDigits(QStringView text);
    // The whole part of scan(): leading blanks, an optional sign, then the digits before any
    // decimal point (0 when there are none).
    static std::int64_t leadingNumber(QStringView text);
    // One or more ASCII digits and nothing else.
    static bool isDigits(QStringView text);
    static bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
    static bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

private:
    static qsizetype digitRun(QStringView text, qsizetype from);
};
