#include "HexRecords.h"

#include "HexText.h"

const QString HexRecords::EndOfFile = QStringLiteral(":00000001FF");

namespace {

// Colon, count, address (2 bytes), type and checksum: 11 characters around the data.
constexpr int FrameLength = 11;

QByteArray recordBytes(const QString& line) {
    QByteArray bytes;
    bytes.reserve((line.size() - 1) / 2);
    for (qsizetype i = 1; i + 1 < line.size(); i += 2)
        bytes.append(static_cast<char>(HexText::digitValue(line.at(i)) * 16 +
                                       HexText::digitValue(line.at(i + 1))));
    return bytes;
}

} // namespace

std::optional<QString> HexRecords::lineProblem(const QString& line, bool* isEnd) {
    if (!line.startsWith(QLatin1Char(':')))
        return QStringLiteral("the line does not begin with \":\"");
    for (qsizetype i = 1; i < line.size(); ++i) {
        if (HexText::digitValue(line.at(i)) < 0)
            return QStringLiteral("character %1 is not a hexadecimal digit").arg(i + 1);
    }
    if (line.size() < FrameLength || (line.size() - 1) % 2 != 0)
        return QStringLiteral("the line is too short or has an odd number of digits");
    const QByteArray bytes = recordBytes(line);
    const int count = static_cast<unsigned char>(bytes.at(0));
    if (line.size() != FrameLength + 2 * count)
        return QStringLiteral("the byte count %1 does not match the length of the line").arg(count);
    // The board would take a count of FFH for the attention byte and leave program mode.
    if (count == 0xFF)
        return QStringLiteral("a record of 255 bytes cannot be sent");
    int sum = 0;
    for (char b : bytes)
        sum += static_cast<unsigned char>(b);
    if ((sum & 0xFF) != 0)
        return QStringLiteral("the record checksum is wrong");
    if (const std::optional<QString> problem = typeProblem(bytes))
        return problem;
    *isEnd = static_cast<unsigned char>(bytes.at(3)) == EndRecord;
    return std::nullopt;
}

// Other tools add start addresses (no memory bytes) and address extensions; an extension of
// 0 changes nothing in the board's 64K, any other would put bytes where it cannot hold them.
std::optional<QString> HexRecords::typeProblem(const QByteArray& bytes) {
    const int count = static_cast<unsigned char>(bytes.at(0));
    const int type = static_cast<unsigned char>(bytes.at(3));
    const QString typeText = QStringLiteral("%1").arg(type, 2, 16, QLatin1Char('0')).toUpper();
    switch (type) {
    case DataRecord:
    case StartSegmentRecord:
    case StartLinearRecord:
        return std::nullopt;
    case EndRecord:
        if (count != 0)
            return QStringLiteral("the end record holds data");
        return std::nullopt;
    case SegmentRecord:
    case LinearRecord: {
        const QByteArray extension = bytes.mid(4, count);
        if (count != 2 || extension != QByteArray(2, '\0'))
            return QStringLiteral("record type %1 extends the address to %2, beyond FFFFH")
                .arg(typeText, QString::fromLatin1(extension.toHex().toUpper()));
        return std::nullopt;
    }
    default:
        return QStringLiteral("record type %1 is not supported").arg(typeText);
    }
}

std::optional<HexRecords::Problem> HexRecords::check(const QStringList& lines) {
    bool ended = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i + 1);
        if (ended && lines.at(i).trimmed().isEmpty())
            continue;
        if (ended)
            return Problem{lineNumber, QStringLiteral("a record follows the end record")};
        if (const std::optional<QString> reason = lineProblem(lines.at(i), &ended))
            return Problem{lineNumber, *reason};
    }
    if (!ended)
        return Problem{static_cast<int>(lines.size()), QStringLiteral("the end record is missing")};
    return std::nullopt;
}

QStringList HexRecords::dataRecords(const QStringList& lines) {
    QStringList records;
    for (const QString& line : lines) {
        const QByteArray bytes = recordBytes(line);
        if (bytes.size() < 4)
            continue;
        const int type = static_cast<unsigned char>(bytes.at(3));
        if (type == EndRecord)
            break;
        if (type == DataRecord && bytes.at(0) != 0)
            records << line;
    }
    return records;
}

int HexRecords::checksum(const QByteArray& bytes) {
    int sum = 0;
    for (char b : bytes)
        sum += static_cast<unsigned char>(b);
    return (0x100 - (sum & 0xFF)) & 0xFF;
}

QString HexRecords::dataRecord(int address, const QByteArray& bytes) {
    QByteArray record;
    record.append(static_cast<char>(bytes.size()));
    record.append(static_cast<char>((address >> 8) & 0xFF));
    record.append(static_cast<char>(address & 0xFF));
    record.append(static_cast<char>(DataRecord));
    record.append(bytes);
    record.append(static_cast<char>(checksum(record)));
    return QLatin1Char(':') + QString::fromLatin1(record.toHex().toUpper());
}
