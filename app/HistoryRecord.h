#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

// One line of the history: an alarm appearing or clearing, the link going offline or coming
// back, or a shift closed by Transfer Data. Kept as one CSV line of a day file:
//   Time,Event,Text,Speed SPM,Good Cans,Short Cans
class HistoryRecord {
public:
    static constexpr const char* AlarmRaised = "Alarm";
    static constexpr const char* AlarmCleared = "Alarm cleared";
    static constexpr const char* LinkOffline = "Link offline";
    static constexpr const char* LinkOnline = "Link online";
    static constexpr const char* ShiftClosed = "Transfer Data";
    static constexpr const char* HeaderLine = "Time,Event,Text,Speed SPM,Good Cans,Short Cans\n";

    QDateTime time;
    QString event;
    QString text;  // the alarm text, or the status bar's text for a link change
    QString speed; // strokes per minute at that moment; empty when not known
    QString goodCans;
    QString shortCans;

    // Alarm History lists alarm and link records; Shift History the shifts.
    enum class Kind { Alarms, Shifts };
    Kind kind() const { return event == QLatin1String(ShiftClosed) ? Kind::Shifts : Kind::Alarms; }
    bool operator==(const HistoryRecord&) const = default;

    // The one time form of the history files and `vorna7ctl watch --csv`.
    static QString timeText(const QDateTime& time);
    // The record as a CSV line, with its line end.
    QByteArray csvLine() const;
    // Nothing for a line that is not a whole record (the header, a cut-off line, junk).
    static std::optional<HistoryRecord> fromCsvLine(const QByteArray& line);
    // A field quoted when it holds a comma, a quote or a line break.
    static QString csvField(const QString& text);
};
