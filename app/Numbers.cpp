#include "Numbers.h"

#include <cmath>
#include <limits>

bool Numbers::isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

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

Numbers::Scan Numbers::scanLeadingNumber(const QString& text) {
    Scan scan;
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && isBlank(text.at(i)))
        ++i;

    // Built in the C locale's form so the conversion never depends on the user's locale.
    QByteArray canonical;
    if (i < size && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        if (text.at(i) == QLatin1Char('-'))
            canonical.append('-');
        ++i;
    }
    auto takeDigits = [&]() {
        while (i < size && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
            canonical.append(static_cast<char>(text.at(i).unicode()));
            scan.digits = true;
            ++i;
        }
    };
    takeDigits();
    if (i < size && text.at(i) == QLatin1Char('.')) {
        canonical.append('.');
        ++i;
        takeDigits();
    }
    if (!scan.digits)
        return Scan{};
    scan.end = i;
    if (canonical.startsWith("-."))
        canonical.insert(1, '0');
    else if (canonical.startsWith('.'))
        canonical.prepend('0');
    if (canonical.endsWith('.'))
        canonical.chop(1);
    bool ok = false;
    scan.value = QLocale::c().toDouble(QString::fromLatin1(canonical), &ok);
    if (!ok) // only a digit run too long for a double lands here
        scan.value = canonical.startsWith('-') ? -std::numeric_limits<double>::infinity()
                                               : std::numeric_limits<double>::infinity();
    return scan;
}

double Numbers::leadingNumber(const QString& text) {
    return scanLeadingNumber(text).value;
}

bool Numbers::isNumber(const QString& text) {
    const Scan scan = scanLeadingNumber(text);
    if (!scan.digits)
        return false;
    for (qsizetype i = scan.end; i < text.size(); ++i) {
        if (!isBlank(text.at(i)))
            return false;
    }
    return true;
}

std::optional<double> Numbers::numberValue(const QString& text) {
    if (!isNumber(text))
        return std::nullopt;
    return scanLeadingNumber(text).value;
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
