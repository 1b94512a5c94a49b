#include "DecimalText.h"
#include "QStringPrinter.h"
#include "TargetAddress.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct ParseRow {
    const char* text;
    const char* type;
    std::int32_t address;
    std::uint16_t mask;
    bool bitAccess;
};

const ParseRow parseRows[] = {
    // Hexadecimal byte addresses: high part is everything before the last two digits.
    {"1FF0H", "B", 8176, 0, false},
    {"1ff0h", "B", 8176, 0, false},
    {"5H", "B", 5, 0, false},
    {"5h", "B", 5, 0, false},
    {"FFFFH", "B", 65535, 0, false},
    {"100H", "B", 256, 0, false},
    {"H", "B", 0, 0, false},
    {"BH", "B", 11, 0, false},
    {"D10H", "B", 0xD10, 0, false},
    {"B1020.7H", "B", 0xB1020 * 256, 0, false}, // the H rule comes before the point rule
    // Bit access: the first character is not examined.
    {"B1020.0", "B", 1020, 1, true},
    {"B1020.7", "B", 1020, 128, true},
    {"b1020.3", "B", 1020, 8, true},
    {"X30.5", "B", 30, 32, true},
    {"W1022.1", "B", 1022, 2, true},
    {"F34.2", "B", 34, 4, true},
    {"B10.9", "B", 10, 512, true},
    {"B10.x", "B", 10, 0, true},
    {"B10.", "B", 1, 0, true},
    {".", "B", 0, 0, true},
    {"B.1", "B", 0, 2, true},
    // Typed byte, word and double addresses, either case.
    {"B1020", "B", 1020, 0, false},
    {"b1022", "B", 1022, 0, false},
    {"W1022", "W", 1022, 0, false},
    {"w1022", "W", 1022, 0, false},
    {"D1100", "D", 1100, 0, false},
    {"d1100", "D", 1100, 0, false},
    {"W", "W", 0, 0, false},
    {"B12a", "B", 12, 0, false},
    {"Wx12", "W", 0, 0, false},
    {"W-5", "W", 0, 0, false},
    // Flags: byte 32 + n div 8, bit n mod 8.
    {"F34", "B", 36, 4, true},
    {"F0", "B", 32, 1, true},
    {"f7", "B", 32, 128, true},
    {"F8", "B", 33, 1, true},
    {"F991", "B", 155, 128, true},
    {"F", "B", 32, 1, true},
    // Anything else is the whole byte at 32.
    {"Q5", "B", 32, 0, false},
    {"X30", "B", 32, 0, false},
    {"", "B", 32, 0, false},
    {"1020", "B", 32, 0, false},
};

TEST(TargetAddressParse, DecodesEveryRule) {
    for (const ParseRow& row : parseRows) {
        SCOPED_TRACE(row.text);
        const TargetAddress::Decoded d = TargetAddress::ParseAddress(QString::fromUtf8(row.text));
        EXPECT_EQ(d.type, QString::fromUtf8(row.type));
        EXPECT_EQ(d.address, row.address);
        EXPECT_EQ(d.mask, row.mask);
        EXPECT_EQ(d.bitAccess, row.bitAccess);
    }
}

TEST(TargetAddressParse, HexAndDecimalNameTheSameByte) {
    EXPECT_EQ(TargetAddress::ParseAddress("1FF0H"), TargetAddress::ParseAddress("B8176"));
    EXPECT_EQ(TargetAddress::ParseAddress("b1022"), TargetAddress::ParseAddress("B1022"));
}

TEST(TargetAddressParse, ByteCountFollowsType) {
    EXPECT_EQ(TargetAddress::ParseAddress("B1020").byteCount(), 1);
    EXPECT_EQ(TargetAddress::ParseAddress("B1020.3").byteCount(), 1);
    EXPECT_EQ(TargetAddress::ParseAddress("F3").byteCount(), 1);
    EXPECT_EQ(TargetAddress::ParseAddress("W1022").byteCount(), 2);
    EXPECT_EQ(TargetAddress::ParseAddress("D1100").byteCount(), 4);
}

TEST(TargetAddressParse, HugeNumbersStayUsable) {
    const char* texts[] = {"W99999999999999999999999999",
                           "D4294967296",
                           "B2147483648",
                           "F99999999999999999999",
                           "X99999999999999999999.3",
                           "FFFFFFFFFFFFFFFFFFFFH"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        const TargetAddress::Decoded d = TargetAddress::ParseAddress(QString::fromUtf8(text));
        EXPECT_GT(d.address, 65535);
        // The read and write code adds up to 3 for a double's last byte.
        EXPECT_LE(d.address, std::numeric_limits<std::int32_t>::max() - 3);
        EXPECT_FALSE(TargetAddress::malformedReason(QString::fromUtf8(text)).isEmpty());
    }
}

TEST(TargetAddressMalformed, RefusesBrokenTexts) {
    const char* texts[] = {"",     "W",        "B10.x",  "B10.8",  "B10.",   "B.1", "Q5",
                           "B12a", "1FFFFH",   "B65536", "W65535", "D65533", "H",   "1G0H",
                           "F",    "F524032",  "B10.12", "1.0",    "B1.2.3", "B-5", "W 12",
                           "X30",  "B65536.0", "F3.",    "B١٢"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        const QString reason = TargetAddress::malformedReason(QString::fromUtf8(text));
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_FALSE(reason.contains(u'\n'));
    }
}

TEST(TargetAddressMalformed, AcceptsWellFormedTexts) {
    const char* texts[] = {"b1022",    "1FF0H",  "5h",     "F0",     "D1100",   "B1020.7",
                           "B0",       "B65535", "W65534", "D65532", "F524031", "FFFFH",
                           "B65535.0", "x30.5",  "w1022",  "d0",     "f991",    "BH"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(TargetAddress::malformedReason(QString::fromUtf8(text)), QString());
    }
}

// Every text over a small alphabet, up to four characters: parsing never misbehaves, and a text
// called well-formed only ever touches bytes 0..65535 with a single-bit mask where bits are read.
TEST(TargetAddressMalformed, WellFormedMeansInRangeForAllShortTexts) {
    const QString alphabet = QStringLiteral("BWDFHhx.079 -");
    const int n = static_cast<int>(alphabet.size());
    int wellFormed = 0;
    for (int length = 0; length <= 4; ++length) {
        int combinations = 1;
        for (int i = 0; i < length; ++i) {
            combinations *= n;
        }
        for (int code = 0; code < combinations; ++code) {
            QString text;
            for (int i = 0, c = code; i < length; ++i, c /= n) {
                text += alphabet[c % n];
            }
            const TargetAddress::Decoded d = TargetAddress::ParseAddress(text);
            ASSERT_GE(d.address, 0) << text.toStdString();
            if (!TargetAddress::malformedReason(text).isEmpty()) {
                continue;
            }
            ++wellFormed;
            ASSERT_LE(d.address + d.byteCount() - 1, 65535) << text.toStdString();
            if (d.bitAccess) {
                ASSERT_EQ(d.mask & (d.mask - 1), 0) << text.toStdString();
                ASSERT_NE(d.mask, 0) << text.toStdString();
                ASSERT_LE(d.mask, 128) << text.toStdString();
            }
        }
    }
    EXPECT_GT(wellFormed, 100);
}

TEST(DecimalTextNumbers, LeadingNumberSemantics) {
    EXPECT_EQ(DecimalText::leadingDigits(u"123abc"), 123u);
    EXPECT_EQ(DecimalText::leadingDigits(u""), 0u);
    EXPECT_EQ(DecimalText::leadingDigits(u"x12"), 0u);
    EXPECT_EQ(DecimalText::leadingDigits(u"99999999999999999999999999"), DecimalText::Saturated);
    EXPECT_EQ(DecimalText::leadingNumber(u"  -12x"), -12);
    EXPECT_EQ(DecimalText::leadingNumber(u"+5"), 5);
    EXPECT_EQ(DecimalText::leadingNumber(u"- 5"), 0);
    EXPECT_TRUE(DecimalText::isDigits(u"0123"));
    EXPECT_FALSE(DecimalText::isDigits(u""));
    EXPECT_FALSE(DecimalText::isDigits(u"12 "));
    EXPECT_FALSE(DecimalText::isDigits(u"\u0661"));
}

} // namespace
