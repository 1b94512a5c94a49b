#include "HistoryRecord.h"

#include <QStringList>

namespace {
const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
constexpr int FieldCount = 6;

// Splits one CSV line; nothing when its quotes do not close.
std::optional<QStringList> splitCsv(const QString& line) {
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < line.size() && line[i + 1] == u'"')
                field += line[++i];
            else
                quoted = false;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields.append(field);
            field.clear();
        } else {
            field += c;
        }
    }
    if (quoted)
        return std::nullopt;
    fields.append(field);
    return fields;
}
} // namespace

QString HistoryRecord::timeText(const QDateTime& time) {
    return time.toString(TimeFormat);
}

QString HistoryRecord::csvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray HistoryRecord::csvLine() const {
    const QStringList fields = {timeText(time),  csvField(event),    csvField(text),
                                csvField(speed), csvField(goodCans), csvField(shortCans)};
    return fields.join(u',').toUtf8() + '\n';
}

std::optional<HistoryRecord> HistoryRecord::fromCsvLine(const QByteArray& line) {
    QByteArray bare = line;
    if (bare.endsWith('\n'))
        bare.chop(1);
    if (bare.endsWith('\r'))
        bare.chop(1);
    const std::optional<QStringList> fields = splitCsv(QString::fromUtf8(bare));
    if (!fields || fields->size() != FieldCount)
        return std::nullopt;
    HistoryRecord record;
    record.time = QDateTime::fromString(fields->at(0), TimeFormat);
    if (!record.time.isValid() || fields->at(1).isEmpty())
        return std::nullopt;
    record.event = fields->at(1);
    record.text = fields->at(2);
    record.speed = fields->at(3);
    record.goodCans = fields->at(4);
    record.shortCans = fields->at(5);
    return record;
}
