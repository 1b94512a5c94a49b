#include "AddressRules.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

struct ValidRow {
    const char* text;
    std::vector<int> codes;
    bool valid;
};

const std::vector<int> GroupS = {49, 51, 52, 53, 54, 56, 58, 59, 60, 61, 65, 66};
const std::vector<int> GroupL = {50, 68};
const std::vector<int> Others = {55, 57, 62, 63, 64, 67, 0, 100};

// The documented examples, and the edges of each rule for each board group.
const ValidRow documentedValidity[] = {
    {"W33", {49}, false},
    {"B8276", {50}, false},
    {"X12", {49}, false},
    {"Y21", {51}, true},
    {"X10", {68}, false},
    {"B31", {49, 50, 55}, false},
    {"b32", {49, 50, 55}, true},
    {"B255", GroupS, true},
    {"B256", GroupS, false},
    {"B8275", GroupL, true},
    {"B65535", Others, true},
    {"B65536", Others, false},
    {"W254", GroupS, true},
    {"D256", GroupS, false},
    {"w8274", GroupL, true},
    {"D8276", GroupL, false},
    {"W65534", Others, true},
    {"W30", Others, false},
    {"F120", GroupS, true},
    {"F121", GroupS, false},
    {"f991", GroupL, true},
    {"F992", Others, false},
    {"F-1", {49}, false},
    {"I151", {49, 50}, true},
    {"I152", {50}, false},
    {"I21", {51, 52, 53, 54, 56}, true},
    {"I30", {56}, false},
    {"I0", {55, 58, 68, 0}, false},
    {"X151", {49, 50}, true},
    {"Y160", {49}, false},
    {"x21", {55, 61}, true},
    {"Y0", {0, 68}, false},
    {"X-1", {61}, false},
    {"B32.0", {49}, true},
    {"W33.0", {49}, false},
    {"X12.1", {49}, false},
    {"Q0", {49}, true},
    {"Q1", {49}, false},
    {"", {49}, true}, // no letter: "any other character" with n = 0
    {"B99999999999999999999999", {49}, false},
};

TEST(ValidAdd, DocumentedExamplesAndRuleEdges) {
    for (const ValidRow& row : documentedValidity) {
        for (int code : row.codes) {
            EXPECT_EQ(AddressRules::ValidAdd(QString::fromUtf8(row.text), code), row.valid)
                << row.text << " code " << code;
        }
    }
}

// Per board type the points, in order of their numbers, sit on consecutive bytes (an X and a Y
// of one number share theirs); documented rows anchor where each run starts and ends.
TEST(EquateAdd, PointsInOrderTakeConsecutiveBytesBetweenTheDocumentedEnds) {
    const struct {
        int code;
        const char* letters;
        const char *first, *last; // "point>byte"
    } runs[] = {{49, "XY", "X30>49", "Y141>67"}, {50, "XY", "X0>160", "Y151>191"},
                {50, "I", "I0>192", "I151>223"}, {58, "XY", "Y0>49", "X11>52"},
                {59, "XY", "Y0>49", "X21>54"},   {60, "XY", "Y0>49", "Y21>54"},
                {61, "XY", "X0>49", "Y11>52"},   {65, "XY", "Y0>49", "Y21>54"},
                {66, "XY", "Y0>49", "X21>54"}};
    for (const auto& run : runs) {
        std::map<int, int> byteOf;
        for (const char letter : std::string(run.letters)) {
            for (int n = 0; n <= 200; ++n) {
                const QString point = QChar(letter) + QString::number(n);
                const QString byte = AddressRules::EquateAdd(point, run.code);
                if (byte == point)
                    continue;
                EXPECT_EQ(byteOf.emplace(n, byte.mid(1).toInt()).first->second, byte.mid(1).toInt())
                    << point.toStdString() << " " << run.code;
            }
        }
        int expected = byteOf.empty() ? 0 : byteOf.begin()->second;
        for (const auto& [n, byte] : byteOf)
            EXPECT_EQ(byte, expected++) << n << " " << run.code;
        for (const QString& end : {QString::fromLatin1(run.first), QString::fromLatin1(run.last)})
            EXPECT_EQ(AddressRules::EquateAdd(end.section(u'>', 0, 0).toLower() + ".5", run.code),
                      "B" + end.section(u'>', 1, 1) + ".5");
    }
}

TEST(EquateAdd, BitCappedAtSevenAndTextsWithoutEntry) {
    EXPECT_EQ(AddressRules::EquateAdd("X30.9", 49), "B49.7"); // the bit is capped at 7
    for (const char* text : {"X40", "I0", "X152", "I12", "X10", "B49", "", "X40.5"})
        EXPECT_EQ(AddressRules::EquateAdd(text, 49), QString::fromUtf8(text));
}

// Every translation starts from a point ValidAdd accepts and lands on a byte ValidAdd accepts;
// the count matches the documented tables, so no stray entries hide anywhere.
TEST(EquateAdd, TranslationsAgreeWithValidAdd) {
    int translations = 0;
    for (int code = 40; code <= 75; ++code) {
        for (char letter : {'X', 'Y', 'I', 'B', 'W', 'F', 'Q'}) {
            for (int n = -5; n <= 200; ++n) {
                const QString point = QChar(letter) + QString::number(n);
                const QString result = AddressRules::EquateAdd(point, code);
                if (result == point)
                    continue;
                ++translations;
                EXPECT_TRUE(AddressRules::ValidAdd(point, code)) << point.toStdString() << code;
                EXPECT_TRUE(AddressRules::ValidAdd(result, code)) << point.toStdString() << code;
            }
        }
    }
    EXPECT_EQ(translations, 19 + 96 + 4 + 6 + 6 + 4 + 6 + 6);
}

} // namespace
