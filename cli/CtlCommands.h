#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <iosfwd>
#include <optional>

#include "Clock.h"

class ConsolePrompter;
class RSComm;
class StopSignal;

// read, write, watch and board on an open link. Each returns the exit status of the program.
class CtlCommands {
public:
    enum ExitStatus { Success = 0, Refused = 1, LinkFailure = 2, FileError = 3, BadUsage = 64 };

    CtlCommands(RSComm& link, ConsolePrompter& prompter, Clock& clock, StopSignal& stop,
                std::ostream& out, std::ostream& err);

    int read(const QStringList& addresses);
    int write(const QString& address, const QString& value);
    // With `csv`, a header line and then each round as "time,value,..." in the time form of
    // the program's history files.
    int watch(const QStringList& addresses, std::optional<int> count, int intervalMs,
              bool csv = false);
    // Firmware revision, the name for `type` (TargetboardType when not given), fault code and
    // its description, one name=value a line.
    int board(std::optional<int> type);

    // Control characters of a board name made visible ("\x00"), so the output stays text.
    static QString printable(const QString& text);
    // The wall clock for watch --csv; tests pin it.
    void setWallClock(std::function<QDateTime()> now) { wallClock_ = std::move(now); }

private:
    // One read: the value text, or empty when the link failed (already reported).
    std::optional<QString> readOne(const QString& address);
    std::optional<QStringList> readRound(const QStringList& addresses);

    RSComm& link_;
    ConsolePrompter& prompter_;
    Clock& clock_;
    StopSignal& stop_;
    std::ostream& out_;
    std::ostream& err_;
    std::function<QDateTime()> wallClock_ = [] { return QDateTime::currentDateTime(); };
};
