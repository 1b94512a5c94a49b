#include "DecimalText.h"
#include "QStringPrinter.h"
#include "TargetAddress.h"

#include <gtest/gtest.h>
#include <tuple>

#include <limits>

namespace {

struct ParseRow {
    const char* text;
    const char* type;
    std::int32_t address;
    std::uint16_t mask;
    bool bitAccess;
};

// The decoding examples and edge cases of the address rules, one or two rows per rule.
const ParseRow documentedExamples[] = {
    {"1FF0H", "B", 8176, 0, false}, // the same byte as B8176
    {"5h", "B", 5, 0, false},
    {"100H", "B", 256, 0, false},               // high part: the digits before the last two
    {"B1020.7H", "B", 0xB1020 * 256, 0, false}, // the H rule comes before the point rule
    {"B1020.0", "B", 1020, 1, true},
    {"X30.5", "B", 30, 32, true}, // the first character is not examined
    {"b1022", "B", 1022, 0, false},
    {"W1022", "W", 1022, 0, false},
    {"d1100", "D", 1100, 0, false},
    {"W", "W", 0, 0, false},     // an empty number counts 0
    {"B12a", "B", 12, 0, false}, // leading digits only
    {"F34", "B", 36, 4, true},
    {"F0", "B", 32, 1, true},
    {"f7", "B", 32, 128, true},
    {"Q5", "B", 32, 0, false}, // anything else is the whole byte at 32
};

TEST(TargetAddressParse, DecodesTheDocumentedExamples) {
    for (const ParseRow& row : documentedExamples) {
        SCOPED_TRACE(row.text);
        const TargetAddress::Decoded d = TargetAddress::ParseAddress(QString::fromUtf8(row.text));
        EXPECT_EQ(std::tuple(d.type, d.address, d.mask, d.bitAccess),
                  std::tuple(QString::fromUtf8(row.type), row.address, row.mask, row.bitAccess));
    }
}

TEST(TargetAddressParse, HugeNumbersStayUsable) {
    for (const char* text : {"W99999999999999999999999999", "D4294967296", "F99999999999999999999",
                             "X99999999999999999999.3", "FFFFFFFFFFFFFFFFFFFFH"}) {
        SCOPED_TRACE(text);
        const TargetAddress::Decoded d = TargetAddress::ParseAddress(QString::fromUtf8(text));
        EXPECT_GT(d.address, 65535);
        // The read and write code adds up to 3 for a double's last byte.
        EXPECT_LE(d.address, std::numeric_limits<std::int32_t>::max() - 3);
        EXPECT_FALSE(TargetAddress::malformedReason(QString::fromUtf8(text)).isEmpty());
    }
}

// Only a text the rules cannot decode, or one reaching past byte 65535, is refused; the
// reason is what vorna7ctl prints.
TEST(TargetAddressMalformed, RefusesOnlyUndecodableOrOutOfRangeTexts) {
    // Leading zeros beyond four digits are taken, and a trailing blank ends the number.
    for (const char* text : {"01FF0H", "W1022 ", "Q5", "W", "FFFFH", "B65535", "W65534", "D65532",
                             "F524031", "B65535.0", "1020.5"})
        EXPECT_EQ(TargetAddress::malformedReason(QString::fromUtf8(text)), QString()) << text;
    const struct {
        const char* text;
        const char* reason;
    } rows[] = {
        {"", "empty address"},
        {"1G0H", "not a hexadecimal number before H"},
        {"10000H", "hexadecimal address beyond FFFF"},
        {"B10.x", "exactly one bit digit must follow the point"},
        {"B10.12", "exactly one bit digit must follow the point"},
        {"B1.2.3", "exactly one bit digit must follow the point"},
        {"B10.8", "bit number above 7"},
        {"B.1", "no byte number before the point"},
        {"B1x.1", "byte number is not a whole number"},
        {"B65536.0", "byte address beyond 65535"},
        {"B65536", "address reaches beyond byte 65535"},
        {"W65535", "address reaches beyond byte 65535"},
        {"D65533", "address reaches beyond byte 65535"},
        {"F524032", "flag number beyond 524031"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TargetAddress::malformedReason(QString::fromUtf8(row.text)),
                  QString::fromUtf8(row.reason))
            << '"' << row.text << '"';
}

// Every text over a small alphabet, up to four characters: parsing never misbehaves, and a text
// that is not refused only ever touches bytes 0..65535 with a single-bit mask where bits are read.
TEST(TargetAddressMalformed, AcceptedMeansInRangeForAllShortTexts) {
    const QString alphabet = QStringLiteral("BWDFHhx.079 -");
    const int n = static_cast<int>(alphabet.size());
    for (int length = 0, combinations = 1; length <= 4; ++length, combinations *= n) {
        for (int code = 0; code < combinations; ++code) {
            QString text;
            for (int i = 0, c = code; i < length; ++i, c /= n)
                text += alphabet[c % n];
            const TargetAddress::Decoded d = TargetAddress::ParseAddress(text);
            ASSERT_GE(d.address, 0) << text.toStdString();
            if (!TargetAddress::malformedReason(text).isEmpty())
                continue;
            ASSERT_LE(d.address + d.byteCount() - 1, 65535) << text.toStdString();
            if (d.bitAccess) {
                ASSERT_TRUE(d.mask != 0 && d.mask <= 128 && (d.mask & (d.mask - 1)) == 0)
                    << text.toStdString();
            }
        }
    }
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
