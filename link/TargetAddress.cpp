#include "TargetAddress.h"

#include "HexText.h"

#include "DecimalText.h"

#include <algorithm>

namespace {

// Decoded addresses stay well inside 32 bits so the read and write code can add the offsets
// of a word or double without overflowing, whatever the text held.
constexpr std::int64_t AddressCap = 0x3FFFFFFF;
constexpr std::int64_t HighestByte = 0xFFFF;

std::int32_t cappedAddress(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, AddressCap));
}

// The run of hexadecimal digits at the start of the text; an empty part counts 0.
std::int64_t leadingHex(QStringView text, std::int64_t cap) {
    std::int64_t value = 0;
    for (QChar c : text) {
        const int digit = HexText::digitValue(c);
        if (digit < 0) {
            break;
        }
        value = std::min(value * 16 + digit, cap);
    }
    return value;
}

bool endsWithHexMark(QStringView text) {
    return !text.isEmpty() && (text.back() == u'H' || text.back() == u'h');
}

QChar upperFirst(QStringView text) {
    return text.isEmpty() ? QChar() : text.front().toUpper();
}

TargetAddress::Decoded decodeHex(QStringView add) {
    const QStringView digits = add.chopped(1);
    const QStringView low = digits.right(2);
    const QStringView high = digits.first(std::max<qsizetype>(0, digits.size() - 2));
    TargetAddress::Decoded d;
    d.address = cappedAddress(leadingHex(high, AddressCap / 256) * 256 + leadingHex(low, 0xFF));
    return d;
}

TargetAddress::Decoded decodeBit(QStringView add) {
    // The first character is not looked at: "X30.5" reads bit 5 of byte 30 like "B30.5".
    const QStringView byteNumber = add.size() >= 3 ? add.mid(1, add.size() - 3) : QStringView();
    TargetAddress::Decoded d;
    d.bitAccess = true;
    d.address = cappedAddress(static_cast<std::int64_t>(DecimalText::leadingDigits(byteNumber)));
    const QChar bit = add.back();
    d.mask =
        DecimalText::isDigit(bit) ? static_cast<std::uint16_t>(1u << (bit.unicode() - u'0')) : 0;
    return d;
}

TargetAddress::Decoded decodeTyped(QStringView add, QChar letter) {
    TargetAddress::Decoded d;
    d.type = QString(letter);
    d.address = cappedAddress(static_cast<std::int64_t>(DecimalText::leadingDigits(add.mid(1))));
    return d;
}

TargetAddress::Decoded decodeFlag(QStringView add) {
    const std::uint64_t flag = DecimalText::leadingDigits(add.mid(1));
    TargetAddress::Decoded d;
    d.bitAccess = true;
    d.address = cappedAddress(32 + static_cast<std::int64_t>(flag / 8));
    d.mask = static_cast<std::uint16_t>(1u << (flag % 8));
    return d;
}

// Leading zeros are harmless ("01FF0H" is byte 8176); only the value can reach too far.
QString hexReason(QStringView add) {
    const QStringView digits = add.chopped(1);
    if (!std::all_of(digits.begin(), digits.end(),
                     [](QChar c) { return HexText::digitValue(c) >= 0; })) {
        return QStringLiteral("not a hexadecimal number before H");
    }
    if (decodeHex(add).address > HighestByte) {
        return QStringLiteral("hexadecimal address beyond FFFF");
    }
    return {};
}

// The byte number runs from the second character up to the point; the first is not looked at.
QString bitReason(QStringView add) {
    const qsizetype point = add.indexOf(u'.');
    if (point != add.size() - 2 || !DecimalText::isDigit(add.back())) {
        return QStringLiteral("exactly one bit digit must follow the point");
    }
    if (add.back() > u'7') {
        return QStringLiteral("bit number above 7");
    }
    const QStringView byteNumber = point >= 1 ? add.mid(1, point - 1) : QStringView();
    if (byteNumber.isEmpty()) {
        return QStringLiteral("no byte number before the point");
    }
    if (!DecimalText::isDigits(byteNumber)) {
        return QStringLiteral("byte number is not a whole number");
    }
    if (DecimalText::leadingDigits(byteNumber) > HighestByte) {
        return QStringLiteral("byte address beyond 65535");
    }
    return {};
}

// The number is the run of digits after the letter (none counts 0), as the decoder reads it.
QString typedReason(QStringView add, QChar letter) {
    const std::uint64_t n = DecimalText::leadingDigits(add.mid(1));
    if (letter == u'F') {
        return 32 + n / 8 > HighestByte ? QStringLiteral("flag number beyond 524031") : QString();
    }
    const std::uint64_t lastByte = n + (letter == u'D' ? 3 : letter == u'W' ? 1 : 0);
    return lastByte > HighestByte ? QStringLiteral("address reaches beyond byte 65535") : QString();
}

} // namespace

TargetAddress::Decoded TargetAddress::ParseAddress(const QString& Add) {
    const QStringView add(Add);
    if (endsWithHexMark(add)) {
        return decodeHex(add);
    }
    if (add.contains(u'.')) {
        return decodeBit(add);
    }
    const QChar letter = upperFirst(add);
    if (letter == u'B' || letter == u'W' || letter == u'D') {
        return decodeTyped(add, letter);
    }
    if (letter == u'F') {
        return decodeFlag(add);
    }
    return Decoded{};
}

QString TargetAddress::malformedReason(const QString& Add) {
    const QStringView add(Add);
    if (add.isEmpty()) {
        return QStringLiteral("empty address");
    }
    if (endsWithHexMark(add)) {
        return hexReason(add);
    }
    if (add.contains(u'.')) {
        return bitReason(add);
    }
    const QChar letter = upperFirst(add);
    if (letter == u'B' || letter == u'W' || letter == u'D' || letter == u'F') {
        return typedReason(add, letter);
    }
    return {}; // any other text is the whole byte at 32
}
