#include "HexText.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct OctalRow {
    std::int16_t in;
    std::optional<std::int16_t> out;
};

const OctalRow dec2OctalRows[] = {
    {0, 0},
    {7, 7},
    {8, 10},
    {15, 17},
    {63, 77},
    {64, 80},
    {26215, 32767},
    {26216, std::nullopt},
    {32767, std::nullopt},
    {-1, -1},
    {-15, -17},
    {-26215, -32767},
    {-26216, std::nullopt},
    {-32768, std::nullopt},
};

TEST(HexTextOctal, Dec2OctalWithOverflow) {
    for (const OctalRow& row : dec2OctalRows) {
        SCOPED_TRACE(row.in);
        EXPECT_EQ(HexText::Dec2Octal(row.in), row.out);
    }
}

const OctalRow octal2DecRows[] = {
    {0, 0}, {7, 7},   {10, 8},        {17, 15},   {77, 63},         {80, 64},
    {8, 8}, {19, 17}, {32767, 26215}, {-17, -15}, {-32768, -26216},
};

TEST(HexTextOctal, Octal2Dec) {
    for (const OctalRow& row : octal2DecRows) {
        SCOPED_TRACE(row.in);
        EXPECT_EQ(HexText::Octal2Dec(row.in), row.out);
    }
}

TEST(HexTextOctal, TwoDigitNotationRoundTrips) {
    for (std::int16_t n = 0; n <= 63; ++n) {
        const auto octal = HexText::Dec2Octal(n);
        ASSERT_TRUE(octal.has_value());
        EXPECT_EQ(*octal, QString::number(n, 8).toInt());
        EXPECT_EQ(HexText::Octal2Dec(*octal), n);
    }
}

struct HexRow {
    const char* text;
    std::optional<std::int32_t> value;
};

const HexRow hexRows[] = {
    {"0", 0},
    {"F", 15},
    {"ff", 255},
    {"10", 16},
    {"7FFF", 32767},
    {"8000", -32768},
    {"FFFF", -1},
    {"fffe", -2},
    {"10000", 65536},
    {"0FFFF", 65535},
    {"7FFFFFFF", 2147483647},
    {"80000000", INT32_MIN},
    {"FFFFFFFF", -1},
    {"", std::nullopt},
    {"123456789", std::nullopt},
    {"G", std::nullopt},
    {" 1", std::nullopt},
    {"-1", std::nullopt},
    {"&H10", std::nullopt},
    {":0", std::nullopt},
};

TEST(HexTextHex, LiteralSemantics) {
    for (const HexRow& row : hexRows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(HexText::Hex2Dec(QString::fromUtf8(row.text)), row.value);
    }
}

struct MarkRow {
    const char* mark;
    const char* decimal;
};

const MarkRow markDecRows[] = {
    {"0?", "15"},       {":0", "160"}, {"??", "255"}, {"12", "18"}, {"????", "-1"},
    {"0????", "65535"}, {"", ""},      {"G", ""},     {"@", ""},    {"??????????", ""},
};

TEST(HexTextMark, MarkHex2Dec) {
    for (const MarkRow& row : markDecRows) {
        SCOPED_TRACE(row.mark);
        EXPECT_EQ(HexText::MarkHex2Dec(QString::fromUtf8(row.mark)),
                  QString::fromUtf8(row.decimal));
    }
}

struct ConvertRow {
    const char* hex;
    const char* mark;
};

// Texts that convert both ways unchanged in meaning.
const ConvertRow convertRows[] = {
    {"AF05", ":?05"}, {"ABCDEF", ":;<=>?"},   {"0123456789", "0123456789"},
    {"", ""},         {"1FF0 EE", "1??0 >>"}, {"af", "af"},
    {"@G", "@G"},
};

TEST(HexTextMark, ConvertsBothWays) {
    for (const ConvertRow& row : convertRows) {
        SCOPED_TRACE(row.hex);
        EXPECT_EQ(HexText::HEX2MarkHEX(QString::fromUtf8(row.hex)), QString::fromUtf8(row.mark));
        EXPECT_EQ(HexText::MarkHex2HEX(QString::fromUtf8(row.mark)), QString::fromUtf8(row.hex));
    }
}

TEST(HexTextMark, EveryDigitIsCharacter48PlusItsValue) {
    for (int digit = 0; digit < 16; ++digit) {
        SCOPED_TRACE(digit);
        const QString hex = QString::number(digit, 16).toUpper();
        const QString mark = HexText::HEX2MarkHEX(hex);
        ASSERT_EQ(mark.size(), 1);
        EXPECT_EQ(mark.front().unicode(), 48 + digit);
        EXPECT_EQ(HexText::MarkHex2HEX(mark), hex);
    }
}

TEST(HexTextMark, LeavesOtherCharactersAlone) {
    EXPECT_EQ(HexText::MarkHex2HEX("af:;xyz\xC2\xB0"), QString::fromUtf8("afABxyz\xC2\xB0"));
    EXPECT_EQ(HexText::HEX2MarkHEX("abcdefGH"), "abcdefGH");
}

} // namespace
