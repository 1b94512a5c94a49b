#pragma once

#include <QString>
#include <QStringList>
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
    int watch(const QStringList& addresses, std::optional<int> count, int intervalMs);
    // Firmware revision, the name for `type` (TargetboardType when not given), fault code and
    // its description, one name=value a line.
    int board(std::optional<int> type);

    // Control characters of a board name made visible ("\x00"), so the output stays text.
    static QString printable(const QString& text);

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
};
