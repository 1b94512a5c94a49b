#include "DecimalText.h"

#include <QLocale>
#include <QString>
#include <limits>

qsizetype DecimalText::digitRun(QStringView text, qsizetype from) {
    qsizetype end = from;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end;
}

std::uint64_t DecimalText::leadingDigits(QStringView text) {
    std::uint64_t value = 0;
    for (QChar c : text.first(digitRun(text, 0))) {
        const auto digit = static_cast<std::uint64_t>(c.unicode() - u'0');
        value = value > (Saturated - digit) / 10 ? Saturated : value * 10 + digit;
    }
    return value;
}

DecimalText::Number DecimalText::scan(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    Number number;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        number.negative = text[i] == u'-';
        ++i;
    }
    const qsizetype wholeEnd = digitRun(text, i);
    qsizetype end = wholeEnd;
    if (end < text.size() && text[end] == u'.')
        end = digitRun(text, end + 1);
    const bool anyDigit = wholeEnd > i || end > wholeEnd + 1;
    if (!anyDigit)
        return {};
    number.end = end;
    number.whole = leadingDigits(text.sliced(i, wholeEnd - i));

    // Converted in the C locale's form ("-0.5", never ".5" or "5.") so the value never
    // depends on the user's locale.
    QString canonical = number.negative ? QStringLiteral("-") : QString();
    canonical += wholeEnd > i ? text.sliced(i, wholeEnd - i) : QStringView(u"0");
    if (end > wholeEnd + 1)
        canonical += text.sliced(wholeEnd, end - wholeEnd);
    bool ok = false;
    number.value = QLocale::c().toDouble(canonical, &ok);
    if (!ok) // only a digit run too long for a double lands here
        number.value = number.negative ? -std::numeric_limits<double>::infinity()
                                       : std::numeric_limits<double>::infinity();
    return number;
}

std::int64_t DecimalText::leadingNumber(QStringView text) {
    const Number number = scan(text);
    const auto magnitude = static_cast<std::int64_t>(number.whole);
    return number.negative ? -magnitude : magnitude;
}

bool DecimalText::isDigits(QStringView text) {
    return !text.isEmpty() && digitRun(text, 0) == text.size();
}
