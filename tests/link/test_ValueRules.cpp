#include "QStringPrinter.h"
#include "TargetAddress.h"
#include "ValueRules.h"

#include <gtest/gtest.h>

namespace {

const QString notNumeric = QStringLiteral("Error:\rOnly Numerical Data Allowed.");
const QString notBinary = QStringLiteral("Error:\rEnter 0 or 1 Only.");
const QString byteRange = QStringLiteral("Error:\rEntry out of Range (0-255).");
const QString wordRange = QStringLiteral("Error:\rEntry out of Range (0-65,535).");
const QString doubleRange = QStringLiteral("Error:\rEntry out of Range (0-655,359,999).");

struct CheckRow {
    const char* value; // UTF-8
    const char* address;
    std::uint32_t expected; // when accepted
    const QString* refusal; // nullptr when accepted
};

const CheckRow checkRows[] = {
    // Blanks, %, commas, points and the degree sign are dropped; the point is not a decimal point.
    {"12.5", "W1024", 125, nullptr},
    {"", "W1024", 0, nullptr},
    {"65,535", "W1024", 65535, nullptr},
    {" 1 2 % ", "B1020", 12, nullptr},
    {"45\xC2\xB0", "W1030", 45, nullptr},
    {"0.0.1", "D1100", 1, nullptr},
    {"000000000000000000000000255", "B1020", 255, nullptr},
    // Anything else refuses the whole entry.
    {"-1", "W1024", 0, &notNumeric},
    {"1e3", "W1024", 0, &notNumeric},
    {"12\t", "B1020", 0, &notNumeric},
    {"\xD9\xA3", "B1020", 0, &notNumeric},   // a digit of another script
    {"45\xC2\xBA", "W1030", 0, &notNumeric}, // the ordinal sign is not the degree sign
    {"99999999999999999999x", "B1020", 0, &notNumeric},
    // Bits and flags take 0 or 1 only, before any range check.
    {"1", "B1020.0", 1, nullptr},
    {"0", "F34", 0, nullptr},
    {"0001", "B1020.7", 1, nullptr},
    {"2", "F34", 0, &notBinary},
    {"99999999999999999999999", "F0", 0, &notBinary},
    // Range by type, including digit strings far too long for any integer.
    {"255", "B1020", 255, nullptr},
    {"256", "B1020", 0, &byteRange},
    {"18446744073709551616", "B1020", 0, &byteRange},
    {"65535", "W1022", 65535, nullptr},
    {"65536", "W1022", 0, &wordRange},
    {"655359999", "D1100", 655359999, nullptr},
    {"655,360,000", "D1100", 0, &doubleRange},
    {"4294967296", "D1100", 0, &doubleRange},
    {"99999999999999999999999999999999", "D1100", 0, &doubleRange},
};

TEST(ValueRulesCheck, AcceptsOrRefusesWithExactText) {
    for (const CheckRow& row : checkRows) {
        SCOPED_TRACE(std::string(row.value) + " to " + row.address);
        const ValueRules::Checked checked = ValueRules::checkValueText(
            QString::fromUtf8(row.value), TargetAddress::ParseAddress(row.address));
        if (row.refusal) {
            EXPECT_FALSE(checked.accepted);
            EXPECT_EQ(checked.errorText, *row.refusal);
        } else {
            EXPECT_TRUE(checked.accepted);
            EXPECT_EQ(checked.value, row.expected);
            EXPECT_EQ(checked.errorText, QString());
        }
    }
}

TEST(ValueRulesBytes, ComposesRawBoardBytes) {
    const auto d = TargetAddress::ParseAddress("D1100");
    // A board may hold a low word above 9999; the value is still (hi * 10000 + lo).
    EXPECT_EQ(ValueRules::composeValue(d, QByteArray::fromHex("ffffffff")), 655415535u);
    EXPECT_EQ(ValueRules::composeValue(d, QByteArray::fromHex("1027")), 10000u);
    EXPECT_EQ(ValueRules::composeValue(TargetAddress::ParseAddress("W1"), QByteArray()), 0u);
}

} // namespace
