#include "DecimalText.h"

std::uint64_t DecimalText::leadingDigits(QStringView text) {
    std::uint64_t value = 0;
    for (QChar c : text) {
        if (!isDigit(c)) {
            break;
        }
        const auto digit = static_cast<std::uint64_t>(c.unicode() - u'0');
        value = value > (Saturated - digit) / 10 ? Saturated : value * 10 + digit;
    }
    return value;
}

std::int64_t DecimalText::leadingNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    const auto magnitude = static_cast<std::int64_t>(leadingDigits(text.mid(i)));
    return negative ? -magnitude : magnitude;
}

bool DecimalText::isDigits(QStringView text) {
    if (text.isEmpty()) {
        return false;
    }
    for (QChar c : text) {
        if (!isDigit(c)) {
            return false;
        }
    }
    return true;
}
