#include "CtlCommands.h"

#include <ostream>

#include "ConsolePrompter.h"
#include "HistoryRecord.h"
#include "RSComm.h"
#include "StopSignal.h"

namespace {

constexpr int ReadMode = 1;
constexpr int WriteMode = 2;
const QString EntryAlertTitle = QStringLiteral("ENTRY ALERT");

} // namespace

CtlCommands::CtlCommands(RSComm& link, ConsolePrompter& prompter, Clock& clock, StopSignal& stop,
                         std::ostream& out, std::ostream& err)
    : link_(link), prompter_(prompter), clock_(clock), stop_(stop), out_(out), err_(err) {}

std::optional<QString> CtlCommands::readOne(const QString& address) {
    const QString value = link_.RSRead(address);
    if (link_.CommError)
        return std::nullopt; // the link has told the user already
    // A failed read also gives "0"; only the link left in read mode tells a true zero apart
    // (a wrong echo fails the read without a message and without CommError).
    if (link_.LinkMode() != ReadMode) {
        err_ << "vorna7ctl: reading " << address.toStdString()
             << " failed: the board's reply did not match" << std::endl;
        return std::nullopt;
    }
    prompter_.resetRetries();
    return value;
}

std::optional<QStringList> CtlCommands::readRound(const QStringList& addresses) {
    QStringList values;
    for (const QString& address : addresses) {
        const std::optional<QString> value = readOne(address);
        if (!value)
            return std::nullopt;
        values.append(*value);
    }
    return values;
}

int CtlCommands::read(const QStringList& addresses) {
    for (const QString& address : addresses) {
        const std::optional<QString> value = readOne(address);
        if (!value)
            return LinkFailure;
        out_ << value->toStdString() << std::endl;
    }
    return Success;
}

int CtlCommands::write(const QString& address, const QString& value) {
    link_.RSWrite(address, value);
    if (!link_.LastRefusal().isEmpty() || prompter_.sawTitle(EntryAlertTitle))
        return Refused;
    if (link_.CommError)
        return LinkFailure;
    if (link_.LinkMode() != WriteMode) {
        err_ << "vorna7ctl: writing " << address.toStdString() << " failed: "
             << (link_.WriteVerifyFailed() ? "the board did not echo the bytes (tried twice)"
                                           : "the byte to change could not be read")
             << std::endl;
        return LinkFailure;
    }
    return Success;
}

QString CtlCommands::printable(const QString& text) {
    QString shown;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
        else
            shown += c;
    }
    return shown;
}

int CtlCommands::board(std::optional<int> type) {
    const int firmware = link_.FirmwareRev();
    if (link_.CommError)
        return LinkFailure;
    out_ << "firmware=" << firmware << std::endl;
    const int code = type.value_or(link_.TargetboardType);
    out_ << "board=" << printable(RSComm::TargetboardName(code)).toStdString() << std::endl;
    const int fault = link_.FaultCode();
    if (link_.CommError)
        return LinkFailure;
    out_ << "fault=" << fault << std::endl;
    out_ << "description=" << link_.FaultDescription(fault).toStdString() << std::endl;
    prompter_.resetRetries();
    return Success;
}

int CtlCommands::watch(const QStringList& addresses, std::optional<int> count, int intervalMs,
                       bool csv) {
    const Clock::Micros interval = static_cast<Clock::Micros>(intervalMs) * 1000;
    if (csv)
        out_ << "Time," << addresses.join(u',').toStdString() << std::endl;
    Clock::Micros roundStart = clock_.now();
    for (int round = 0; !count || round < *count; ++round) {
        if (round > 0) {
            // Rounds keep their rhythm: a slow round shortens the pause after it.
            roundStart += interval;
            if (roundStart < clock_.now())
                roundStart = clock_.now();
            if (stop_.waitUntil(clock_, roundStart))
                break;
        }
        const std::optional<QStringList> values = readRound(addresses);
        if (!values)
            return LinkFailure;
        if (csv)
            out_ << HistoryRecord::timeText(wallClock_()).toStdString() << ','
                 << values->join(u',').toStdString() << std::endl;
        else
            out_ << values->join(u' ').toStdString() << std::endl;
        if (stop_.requested() || !out_)
            break;
    }
    return Success;
}
