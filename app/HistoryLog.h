#pragma once

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>

#include "HistoryRecord.h"

// The alarm and shift history on disk: one CSV file a day, <folder>/YYYY-MM-DD.csv, to which
// each record is appended as one whole line. A line cut off by a crash or a full disk is
// ignored on reading and cut away before the next line is appended.
class HistoryLog : public QObject {
    Q_OBJECT
public:
    explicit HistoryLog(QString folder, QObject* parent = nullptr);

    const QString& folder() const { return folder_; }
    QString dayFilePath(const QDate& day) const;

    // Empty on success, otherwise the reason; a failed append leaves the file as it was.
    QString append(const HistoryRecord& record);
    // Days that have a file, oldest first.
    QList<QDate> days() const;
    // The whole records of one day, in the order they were written.
    QList<HistoryRecord> readDay(const QDate& day) const;
    // The given days' records of one kind, oldest first, into one CSV file with one header
    // line. Empty on success, otherwise the reason.
    QString exportDays(const QList<QDate>& days, HistoryRecord::Kind kind,
                       const QString& path) const;
    // The last error of append, so a window can show that the history is not being kept.
    const QString& lastError() const { return lastError_; }

signals:
    void recordAppended(const HistoryRecord& record);

private:
    QString folder_;
    QString lastError_;
};
