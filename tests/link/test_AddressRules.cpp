#include "AddressRules.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Group {
    const char* name;
    std::vector<int> codes;
    int byteMax;
    int wordMax;
    int flagMax;
};

const Group groups[] = {
    {"S", {49, 51, 52, 53, 54, 56, 58, 59, 60, 61, 65, 66}, 255, 254, 120},
    {"L", {50, 68}, 8275, 8274, 991},
    {"other", {55, 57, 62, 63, 64, 67, 0, 48, 69, 100, -1}, 65535, 65534, 991},
};

QString address(char letter, int n) {
    return QChar(letter) + QString::number(n);
}

TEST(ValidAdd, ByteWordDoubleAndFlagLimitsPerGroup) {
    for (const Group& group : groups) {
        for (int code : group.codes) {
            SCOPED_TRACE(std::string(group.name) + " code " + std::to_string(code));
            EXPECT_FALSE(AddressRules::ValidAdd(address('B', 31), code));
            EXPECT_TRUE(AddressRules::ValidAdd(address('B', 32), code));
            EXPECT_TRUE(AddressRules::ValidAdd(address('b', 33), code));
            EXPECT_TRUE(AddressRules::ValidAdd(address('B', group.byteMax), code));
            EXPECT_FALSE(AddressRules::ValidAdd(address('B', group.byteMax + 1), code));
            for (char letter : {'W', 'D', 'w', 'd'}) {
                SCOPED_TRACE(letter);
                EXPECT_FALSE(AddressRules::ValidAdd(address(letter, 30), code));
                EXPECT_TRUE(AddressRules::ValidAdd(address(letter, 32), code));
                EXPECT_FALSE(AddressRules::ValidAdd(address(letter, 33), code));
                EXPECT_FALSE(AddressRules::ValidAdd(address(letter, group.wordMax - 1), code));
                EXPECT_TRUE(AddressRules::ValidAdd(address(letter, group.wordMax), code));
                EXPECT_FALSE(AddressRules::ValidAdd(address(letter, group.wordMax + 2), code));
            }
            EXPECT_FALSE(AddressRules::ValidAdd(address('F', -1), code));
            EXPECT_TRUE(AddressRules::ValidAdd(address('F', 0), code));
            EXPECT_TRUE(AddressRules::ValidAdd(address('f', group.flagMax), code));
            EXPECT_FALSE(AddressRules::ValidAdd(address('F', group.flagMax + 1), code));
        }
    }
}

struct ValidRow {
    const char* text;
    int code;
    bool valid;
};

const ValidRow pointRows[] = {
    // I: codes 49 and 50 up to 151, codes 51..54 and 56 up to 21, never elsewhere.
    {"I0", 49, true},
    {"I151", 49, true},
    {"I150", 50, true},
    {"I152", 50, false},
    {"I160", 49, false},
    {"I12", 50, false},
    {"I-1", 49, false},
    {"i141", 50, true},
    {"I0", 51, true},
    {"I21", 52, true},
    {"I20", 53, true},
    {"I22", 54, false},
    {"I30", 56, false},
    {"I0", 55, false},
    {"I0", 58, false},
    {"I0", 68, false},
    {"I0", 0, false},
    {"I1", 66, false},
    // X and Y: never on codes 0 and 68; up to 151 on 49 and 50; up to 21 elsewhere.
    {"X0", 0, false},
    {"Y1", 0, false},
    {"X10", 68, false},
    {"Y0", 68, false},
    {"X151", 49, true},
    {"Y151", 50, true},
    {"X160", 49, false},
    {"Y152", 50, false},
    {"X12", 49, false},
    {"x141", 49, true},
    {"Y21", 51, true},
    {"X21", 55, true},
    {"X30", 58, false},
    {"Y22", 100, false},
    {"X-1", 61, false},
    {"y0", 65, true},
    {"X20", 57, true},
    // Bit forms take the number between the letter and the last two characters.
    {"B32.0", 49, true},
    {"B31.7", 49, false},
    {"W33.0", 49, false},
    {"X30.5", 49, true},
    {"X12.1", 49, false},
    {"F120.3", 49, true},
    {"F121.3", 49, false},
    // Any other letter only for number 0.
    {"Q0", 49, true},
    {"Q", 50, true},
    {"Q1", 49, false},
    {"A-1", 55, false},
    {"H0", 49, true},
    {"", 49, true}, // no letter: "any other character" with n = 0
    // Odd texts get the rules' answer instead of failing.
    {"B99999999999999999999999", 49, false},
    {"W-99999999999999999999", 55, false},
    {"B1.", 49, false},
    {"F 5", 49, true},
    {"Fx", 49, true},
    {"Bx", 49, false},
};

TEST(ValidAdd, IoPointsOtherLettersAndBitForms) {
    for (const ValidRow& row : pointRows) {
        SCOPED_TRACE(std::string(row.text) + " code " + std::to_string(row.code));
        EXPECT_EQ(AddressRules::ValidAdd(QString::fromUtf8(row.text), row.code), row.valid);
    }
}

struct EquateRow {
    int code;
    char letter;
    int number;
    int byte;
};

const EquateRow equateRows[] = {
    {49, 'X', 30, 49},  {49, 'X', 31, 50},  {49, 'X', 50, 51},   {49, 'X', 51, 52},
    {49, 'X', 60, 53},  {49, 'X', 61, 54},  {49, 'X', 70, 55},   {49, 'X', 71, 56},
    {49, 'X', 80, 57},  {49, 'Y', 81, 58},  {49, 'Y', 90, 59},   {49, 'Y', 100, 60},
    {49, 'Y', 110, 61}, {49, 'Y', 111, 62}, {49, 'Y', 120, 63},  {49, 'Y', 121, 64},
    {49, 'Y', 130, 65}, {49, 'Y', 140, 66}, {49, 'Y', 141, 67},  {50, 'X', 0, 160},
    {50, 'X', 1, 161},  {50, 'X', 10, 162}, {50, 'X', 71, 175},  {50, 'X', 151, 191},
    {50, 'Y', 0, 160},  {50, 'Y', 11, 163}, {50, 'Y', 151, 191}, {50, 'I', 0, 192},
    {50, 'I', 1, 193},  {50, 'I', 80, 208}, {50, 'I', 151, 223}, {58, 'X', 10, 51},
    {58, 'X', 11, 52},  {58, 'Y', 0, 49},   {58, 'Y', 1, 50},    {59, 'X', 10, 51},
    {59, 'X', 11, 52},  {59, 'X', 20, 53},  {59, 'X', 21, 54},   {59, 'Y', 0, 49},
    {59, 'Y', 1, 50},   {60, 'X', 10, 51},  {60, 'X', 11, 52},   {60, 'X', 20, 53},
    {60, 'Y', 0, 49},   {60, 'Y', 1, 50},   {60, 'Y', 21, 54},   {61, 'X', 0, 49},
    {61, 'X', 1, 50},   {61, 'X', 10, 51},  {61, 'Y', 11, 52},   {65, 'X', 10, 51},
    {65, 'X', 11, 52},  {65, 'X', 20, 53},  {65, 'Y', 0, 49},    {65, 'Y', 1, 50},
    {65, 'Y', 21, 54},  {66, 'X', 10, 51},  {66, 'X', 11, 52},   {66, 'X', 20, 53},
    {66, 'X', 21, 54},  {66, 'Y', 0, 49},   {66, 'Y', 1, 50},
};

TEST(EquateAdd, TranslatesEveryTableEntryPlainAndAsBit) {
    for (const EquateRow& row : equateRows) {
        const QString point = address(row.letter, row.number);
        SCOPED_TRACE(point.toStdString() + " code " + std::to_string(row.code));
        const QString byte = QStringLiteral("B") + QString::number(row.byte);
        EXPECT_EQ(AddressRules::EquateAdd(point, row.code), byte);
        EXPECT_EQ(AddressRules::EquateAdd(point.toLower(), row.code), byte);
        EXPECT_EQ(AddressRules::EquateAdd(point + QStringLiteral(".5"), row.code),
                  byte + QStringLiteral(".5"));
    }
}

TEST(EquateAdd, Code50PacksEveryTensGroup) {
    for (int t = 0; t <= 15; ++t) {
        for (int u = 0; u <= 1; ++u) {
            const int n = 10 * t + u;
            SCOPED_TRACE(n);
            const int slot = 2 * t + u;
            EXPECT_EQ(AddressRules::EquateAdd(address('X', n), 50), address('B', 160 + slot));
            EXPECT_EQ(AddressRules::EquateAdd(address('Y', n), 50), address('B', 160 + slot));
            EXPECT_EQ(AddressRules::EquateAdd(address('I', n), 50), address('B', 192 + slot));
        }
    }
}

struct MissRow {
    const char* text;
    int code;
};

const MissRow missRows[] = {
    {"X40", 49},  {"Y80", 49},  {"X81", 49},  {"I0", 49},    {"x40.2", 49}, {"X2", 50},
    {"X152", 50}, {"Y160", 50}, {"I-10", 50}, {"I12", 50},   {"X0", 58},    {"Y10", 58},
    {"X20", 58},  {"Y20", 59},  {"X0", 59},   {"X21", 60},   {"Y20", 60},   {"X11", 61},
    {"Y0", 61},   {"X21", 65},  {"Y11", 65},  {"X0", 66},    {"Y21", 66},   {"X10", 51},
    {"X10", 55},  {"X10", 68},  {"Y0", 68},   {"I0", 68},    {"X30", 0},    {"Q10", 58},
    {"B49", 49},  {"W50", 50},  {"", 49},     {"X40.5", 49},
};

TEST(EquateAdd, ReturnsTextUnchangedWithoutEntry) {
    for (const MissRow& row : missRows) {
        SCOPED_TRACE(std::string(row.text) + " code " + std::to_string(row.code));
        const QString text = QString::fromUtf8(row.text);
        EXPECT_EQ(AddressRules::EquateAdd(text, row.code), text);
    }
}

TEST(EquateAdd, BitDigitIsCappedAtSeven) {
    EXPECT_EQ(AddressRules::EquateAdd("X30.5", 49), "B49.5");
    EXPECT_EQ(AddressRules::EquateAdd("X30.9", 49), "B49.7");
    EXPECT_EQ(AddressRules::EquateAdd("x30.0", 49), "B49.0");
    EXPECT_EQ(AddressRules::EquateAdd("Y151.7", 50), "B191.7");
    EXPECT_EQ(AddressRules::EquateAdd("X30.x", 49), "B49.0");
}

// Every translation starts from a point ValidAdd accepts and lands on a byte ValidAdd accepts;
// the number of translations matches the tables exactly, so no stray entries hide anywhere.
TEST(EquateAdd, TranslationsAgreeWithValidAdd) {
    int translations = 0;
    for (int code = 40; code <= 75; ++code) {
        for (char letter : {'X', 'Y', 'I', 'B', 'W', 'F', 'Q'}) {
            for (int n = -5; n <= 200; ++n) {
                const QString point = address(letter, n);
                const QString result = AddressRules::EquateAdd(point, code);
                if (result == point) {
                    continue;
                }
                ++translations;
                SCOPED_TRACE(point.toStdString() + " code " + std::to_string(code));
                EXPECT_TRUE(AddressRules::ValidAdd(point, code));
                EXPECT_TRUE(AddressRules::ValidAdd(result, code));
            }
        }
    }
    EXPECT_EQ(translations, 19 + 96 + 4 + 6 + 6 + 4 + 6 + 6);
}

} // namespace
