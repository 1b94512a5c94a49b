#include "HistoryLog.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <unistd.h>

#include "AtomicFile.h"

namespace {
const QString DayFormat = QStringLiteral("yyyy-MM-dd");
const QString Extension = QStringLiteral(".csv");

// Cuts a last line that has no line end, so the next line starts on a line of its own.
bool cutTornTail(QFile& file) {
    const qint64 size = file.size();
    if (size == 0)
        return true;
    if (!file.seek(size - 1))
        return false;
    char last = 0;
    if (file.read(&last, 1) != 1)
        return false;
    if (last == '\n')
        return true;
    if (!file.seek(0))
        return false;
    const QByteArray bytes = file.readAll();
    const qsizetype end = bytes.lastIndexOf('\n');
    return file.resize(end < 0 ? 0 : end + 1);
}
} // namespace

HistoryLog::HistoryLog(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {}

QString HistoryLog::dayFilePath(const QDate& day) const {
    return QDir(folder_).filePath(day.toString(DayFormat) + Extension);
}

QString HistoryLog::append(const HistoryRecord& record) {
    lastError_.clear();
    if (!QDir().mkpath(folder_)) {
        lastError_ = QStringLiteral("cannot make the folder %1").arg(folder_);
        return lastError_;
    }
    QFile file(dayFilePath(record.time.date()));
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) || !cutTornTail(file)) {
        lastError_ = file.errorString();
        return lastError_;
    }
    const qint64 before = file.size();
    QByteArray bytes = record.csvLine();
    if (before == 0)
        bytes.prepend(HistoryRecord::HeaderLine);
    // One write at the end; a short write is taken back so no half line stays behind.
    if (!file.seek(before) || file.write(bytes) != bytes.size() || ::fsync(file.handle()) != 0) {
        lastError_ = file.errorString();
        file.resize(before);
        return lastError_;
    }
    file.close();
    emit recordAppended(record);
    return {};
}

QList<QDate> HistoryLog::days() const {
    QList<QDate> found;
    const QStringList names =
        QDir(folder_).entryList({QStringLiteral("*") + Extension}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QDate day = QDate::fromString(name.chopped(Extension.size()), DayFormat);
        if (day.isValid())
            found.append(day);
    }
    return found;
}

QList<HistoryRecord> HistoryLog::readDay(const QDate& day) const {
    QList<HistoryRecord> records;
    QFile file(dayFilePath(day));
    if (!file.open(QIODevice::ReadOnly))
        return records;
    const QByteArray bytes = file.readAll();
    qsizetype start = 0;
    // A last line without its line end was cut off while being written.
    for (qsizetype end = bytes.indexOf('\n'); end >= 0; end = bytes.indexOf('\n', start)) {
        if (auto record = HistoryRecord::fromCsvLine(bytes.mid(start, end - start)))
            records.append(*record);
        start = end + 1;
    }
    return records;
}

QString HistoryLog::exportDays(const QList<QDate>& days, HistoryRecord::Kind kind,
                               const QString& path) const {
    QList<QDate> ordered = days;
    std::sort(ordered.begin(), ordered.end());
    QByteArray bytes = HistoryRecord::HeaderLine;
    for (const QDate& day : ordered) {
        for (const HistoryRecord& record : readDay(day)) {
            if (record.kind() == kind)
                bytes += record.csvLine();
        }
    }
    return AtomicFile::write(path, bytes);
}
