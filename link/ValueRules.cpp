#include "ValueRules.h"

#include "DecimalText.h"

namespace {

constexpr char16_t DegreeSign = u'\u00B0';
constexpr std::uint64_t ByteMax = 255;
constexpr std::uint64_t WordMax = 65535;
constexpr std::uint64_t DoubleMax = 655'359'999;
constexpr std::uint32_t DoubleBase = 10000;

QString entryError(const char* reason) {
    return QStringLiteral("Error:") + QChar(u'\r') + QLatin1String(reason);
}

// Grouping marks, units and the decimal point are typed by users but carry no value.
bool isIgnoredMark(QChar c) {
    return c == u' ' || c == u'%' || c == u',' || c == u'.' || c == DegreeSign;
}

// The digits of the text, or nothing when it holds a character that is not allowed.
std::optional<QString> retainedDigits(const QString& text) {
    QString digits;
    for (QChar c : text) {
        if (DecimalText::isDigit(c)) {
            digits += c;
        } else if (!isIgnoredMark(c)) {
            return std::nullopt;
        }
    }
    return digits;
}

ValueRules::Checked refused(QString text) {
    ValueRules::Checked checked;
    checked.errorText = std::move(text);
    return checked;
}

} // namespace

ValueRules::Checked ValueRules::checkValueText(const QString& DataValue,
                                               const TargetAddress::Decoded& address) {
    const std::optional<QString> digits = retainedDigits(DataValue);
    if (!digits) {
        return refused(entryError("Only Numerical Data Allowed."));
    }
    const std::uint64_t value = DecimalText::leadingDigits(*digits);
    if (address.bitAccess && value > 1) {
        return refused(entryError("Enter 0 or 1 Only."));
    }
    if (QString range = rangeError(address.type, value); !range.isEmpty()) {
        return refused(std::move(range));
    }
    Checked checked;
    checked.accepted = true;
    checked.value = static_cast<std::uint32_t>(value);
    return checked;
}

QString ValueRules::rangeError(const QString& type, std::uint64_t value) {
    if (type == QLatin1String("D")) {
        return value > DoubleMax ? entryError("Entry out of Range (0-655,359,999).") : QString();
    }
    if (type == QLatin1String("W")) {
        return value > WordMax ? entryError("Entry out of Range (0-65,535).") : QString();
    }
    return value > ByteMax ? entryError("Entry out of Range (0-255).") : QString();
}

QByteArray ValueRules::splitValue(const QString& type, std::uint32_t value) {
    QByteArray bytes;
    const auto appendWord = [&bytes](std::uint32_t word) {
        bytes.append(static_cast<char>(word & 0xFF));
        bytes.append(static_cast<char>((word >> 8) & 0xFF));
    };
    if (type == QLatin1String("D")) {
        appendWord(value % DoubleBase);
        appendWord(value / DoubleBase);
    } else if (type == QLatin1String("W")) {
        appendWord(value);
    } else {
        bytes.append(static_cast<char>(value & 0xFF));
    }
    return bytes;
}

std::uint32_t ValueRules::composeValue(const TargetAddress::Decoded& address,
                                       const QByteArray& bytes) {
    const auto d = [&bytes](int i) -> std::uint32_t {
        return i < bytes.size() ? static_cast<std::uint8_t>(bytes[i]) : 0;
    };
    if (address.bitAccess) {
        return (d(0) & address.mask) != 0 ? 1 : 0;
    }
    if (address.type == QLatin1String("D")) {
        return (d(3) * 256 + d(2)) * DoubleBase + (d(1) * 256 + d(0));
    }
    if (address.type == QLatin1String("W")) {
        return d(1) * 256 + d(0);
    }
    return d(0);
}
