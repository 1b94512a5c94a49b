#include "Numbers.h"

#include <cmath>
#include <limits>

#include "DecimalText.h"

double Numbers::roundHalfEven(double value) {
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

namespace {
template <typename Int> std::optional<Int> fitWhole(double value) {
    const double whole = Numbers::roundHalfEven(value);
    if (!std::isfinite(whole))
        return std::nullopt;
    if (whole < static_cast<double>(std::numeric_limits<Int>::min()) ||
        whole > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(whole);
}
} // namespace

std::optional<std::int16_t> Numbers::toInt16(double value) {
    return fitWhole<std::int16_t>(value);
}

std::optional<std::int32_t> Numbers::toInt32(double value) {
    return fitWhole<std::int32_t>(value);
}

double Numbers::leadingNumber(const QString& text) {
    return DecimalText::scan(text).value;
}

bool Numbers::isNumber(const QString& text) {
    const DecimalText::Number number = DecimalText::scan(text);
    if (number.end == 0)
        return false;
    for (qsizetype i = number.end; i < text.size(); ++i) {
        if (!DecimalText::isBlank(text.at(i)))
            return false;
    }
    return true;
}

std::optional<double> Numbers::numberValue(const QString& text) {
    if (!isNumber(text))
        return std::nullopt;
    return DecimalText::scan(text).value;
}

QString Numbers::signedText(std::int64_t value) {
    const QString digits = QString::number(value);
    return value >= 0 ? QLatin1Char(' ') + digits : digits;
}

QString Numbers::groupedText(std::int64_t value, const QLocale& locale) {
    QLocale grouping = locale;
    grouping.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouping.toString(static_cast<qlonglong>(value));
}
