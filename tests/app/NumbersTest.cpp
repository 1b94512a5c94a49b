#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>

#include "GeneralDate.h"
#include "Numbers.h"

namespace {

TEST(Numbers, RoundsHalvesToEvenAndFitsWholeNumbersTo16And32Bits) {
    EXPECT_EQ(Numbers::toInt16(32767.4), std::int16_t{32767});
    EXPECT_EQ(Numbers::toInt16(32767.5), std::nullopt); // rounds to 32768
    EXPECT_EQ(Numbers::toInt16(-32768.5), std::int16_t{-32768});
    EXPECT_EQ(Numbers::toInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(Numbers::toInt32(-2147483648.5), std::int32_t{-2147483647 - 1});
    EXPECT_EQ(Numbers::toInt32(NAN), std::nullopt);
    EXPECT_EQ(Numbers::toInt32(INFINITY), std::nullopt);
    // Huge digit runs stay usable.
    const QString digits(400, QLatin1Char('9'));
    EXPECT_TRUE(Numbers::isNumber(digits));
    EXPECT_EQ(Numbers::toInt32(Numbers::leadingNumber(digits)), std::nullopt);
    EXPECT_EQ(Numbers::toInt32(Numbers::leadingNumber(QLatin1Char('-') + digits)), std::nullopt);

    // Halves round to even.
    const struct {
        double in;
        double out;
    } cases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},    {3.5, 4},          {-0.5, 0},
                 {-1.5, -2}, {-2.5, -2}, {2.4999, 2}, {2.5001, 3},       {-2.5001, -3},
                 {7, 7},     {-7, -7},   {0.49, 0},   {1e15 + 0.5, 1e15}};
    for (const auto& c : cases)
        EXPECT_EQ(Numbers::roundHalfEven(c.in), c.out) << c.in;
}

struct TextCase {
    const char* text;
    bool isNumber;
    double leading;
};

// The number test and the number taken must agree on every text that passes the test.
TEST(Numbers, NumberTestAndLeadingNumberAgreeAndDatesFollowTheUsersLocale) {
    const TextCase cases[] = {
        {"12", true, 12},       {" 12 ", true, 12},
        {"\t42", true, 42},     {"-12", true, -12},
        {"+1.5", true, 1.5},    {".5", true, 0.5},
        {"-.25", true, -0.25},  {"5.", true, 5},
        {"007", true, 7},       {"", false, 0},
        {" ", false, 0},        {"-", false, 0},
        {".", false, 0},        {"12a", false, 12},
        {"  12abc", false, 12}, {"-3.5x", false, -3.5},
        {"1,234", false, 1},    {"1e3", false, 1},
        {"- 5", false, 0},      {"--5", false, 0},
        {"*****", false, 0},    {"---", false, 0},
        {"12 34", false, 12},   {"1.2.3", false, 1.2},
        {"abc", false, 0},      {"360\xc2\xb0", false, 360},
    };
    for (const TextCase& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(Numbers::isNumber(text), c.isNumber) << c.text;
        EXPECT_DOUBLE_EQ(Numbers::leadingNumber(text), c.leading) << c.text;
        const std::optional<double> value = Numbers::numberValue(text);
        EXPECT_EQ(value.has_value(), c.isNumber) << c.text;
        if (value) {
            EXPECT_DOUBLE_EQ(*value, c.leading) << c.text;
        }
    }
    // The user's decimal comma is not taken.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_DOUBLE_EQ(Numbers::leadingNumber(QStringLiteral("2.5")), 2.5);
    EXPECT_DOUBLE_EQ(Numbers::leadingNumber(QStringLiteral("2,5")), 2);
    QLocale::setDefault(before);

    // A general date: the short date with a four-digit year and the time with seconds, in the
    // user's locale. The English form is checked where files are stamped with it.
    EXPECT_EQ(GeneralDate::format(QDateTime(QDate(2024, 3, 14), QTime(14, 5, 7)),
                                  QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("14.03.2024 14:05:07"));
}

} // namespace
