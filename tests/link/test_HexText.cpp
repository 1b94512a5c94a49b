#include "HexText.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

template <class T> QString shown(const std::optional<T>& value) {
    return value ? QString::number(*value) : QStringLiteral("overflow");
}

QString dec2Octal(const QString& text) {
    return shown(HexText::Dec2Octal(static_cast<std::int16_t>(text.toInt())));
}
QString octal2Dec(const QString& text) {
    return shown(HexText::Octal2Dec(static_cast<std::int16_t>(text.toInt())));
}
QString hex2Dec(const QString& text) {
    return shown(HexText::Hex2Dec(text));
}

struct Row {
    std::function<QString(const QString&)> call;
    const char* name;
    const char* in;
    const char* out;
};

// The edges of the number and MarkHEX helpers, with their overflows; two-digit octal round-trips
// below.
const Row documentedConversions[] = {
    {dec2Octal, "Dec2Octal", "64", "80"},
    {dec2Octal, "Dec2Octal", "-15", "-17"},
    {dec2Octal, "Dec2Octal", "26215", "32767"},
    {dec2Octal, "Dec2Octal", "26216", "overflow"},
    {dec2Octal, "Dec2Octal", "-26216", "overflow"},
    {octal2Dec, "Octal2Dec", "80", "64"},
    {octal2Dec, "Octal2Dec", "19", "17"},
    {octal2Dec, "Octal2Dec", "-32768", "-26216"},
    {hex2Dec, "Hex2Dec", "ff", "255"},
    {hex2Dec, "Hex2Dec", "7FFF", "32767"},
    {hex2Dec, "Hex2Dec", "8000", "-32768"}, // four digits are 16-bit two's complement
    {hex2Dec, "Hex2Dec", "FFFF", "-1"},
    {hex2Dec, "Hex2Dec", "0FFFF", "65535"}, // five to eight are 32-bit
    {hex2Dec, "Hex2Dec", "80000000", "-2147483648"},
    {hex2Dec, "Hex2Dec", "123456789", "overflow"},
    {hex2Dec, "Hex2Dec", "", "overflow"},
    {hex2Dec, "Hex2Dec", " 1", "overflow"},
    {hex2Dec, "Hex2Dec", "-1", "overflow"},
    {hex2Dec, "Hex2Dec", ":0", "overflow"},
    {HexText::MarkHex2Dec, "MarkHex2Dec", "0?", "15"},
    {HexText::MarkHex2Dec, "MarkHex2Dec", ":0", "160"},
    {HexText::MarkHex2Dec, "MarkHex2Dec", "????", "-1"},
    {HexText::MarkHex2Dec, "MarkHex2Dec", "0????", "65535"},
    {HexText::MarkHex2Dec, "MarkHex2Dec", "G", ""},
    {HexText::MarkHex2Dec, "MarkHex2Dec", "??????????", ""},
    {HexText::MarkHex2HEX, "MarkHex2HEX", ":?05", "AF05"},
    {HexText::MarkHex2HEX, "MarkHex2HEX", ":;<=>?", "ABCDEF"},
    {HexText::MarkHex2HEX, "MarkHex2HEX", "af:;xyz\xC2\xB0", "afABxyz\xC2\xB0"},
    {HexText::HEX2MarkHEX, "HEX2MarkHEX", "AF05", ":?05"},
    {HexText::HEX2MarkHEX, "HEX2MarkHEX", "0123456789ABCDEF", "0123456789:;<=>?"},
    {HexText::HEX2MarkHEX, "HEX2MarkHEX", "af", "af"},
    {HexText::HEX2MarkHEX, "HEX2MarkHEX", "1FF0 EE@G", "1??0 >>@G"},
};

TEST(HexText, DocumentedConversions) {
    for (const Row& row : documentedConversions)
        EXPECT_EQ(row.call(QString::fromUtf8(row.in)), QString::fromUtf8(row.out))
            << row.name << "(" << row.in << ")";
}

TEST(HexText, TwoDigitOctalNotationRoundTrips) {
    for (std::int16_t n = 0; n <= 63; ++n) {
        const auto octal = HexText::Dec2Octal(n);
        ASSERT_TRUE(octal.has_value());
        EXPECT_EQ(*octal, QString::number(n, 8).toInt());
        EXPECT_EQ(HexText::Octal2Dec(*octal), n);
    }
}

} // namespace
