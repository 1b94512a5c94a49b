#include "BackgroundUpdate.h"

#include <algorithm>

#include "AppContext.h"
#include "Numbers.h"
#include "RSComm.h"

namespace {
const QString CRLF = QStringLiteral("\r\n");
constexpr int BitAddress = 0;     // its bits 1-7 decide texts 1-7
constexpr int FlagTextOffset = 7; // addresses 1-4 decide texts 8-11
} // namespace

std::optional<QString> BackgroundUpdate::Tick() {
    RSComm& link = *context_.TargetComm;
    if (link.IsBusy())
        return std::nullopt;
    if (!link.OnlineMode) {
        context_.SystemMessage = QStringLiteral("Set-up Program is Currently OFFLINE");
        return link.CommError ? QStringLiteral("System Message:  Comm Fault with K6674")
                              : QStringLiteral("System Message:  Program is Currently OFFLINE");
    }
    pollIndex_ = pollIndex_ + 1 > AlarmTables::AddressCount - 1 ? 0 : pollIndex_ + 1;
    std::int32_t value = 0;
    if (!link.CommError) {
        const QString read = link.RSRead(context_.AlarmAdd[static_cast<std::size_t>(pollIndex_)]);
        value = Numbers::toInt32(Numbers::leadingNumber(read)).value_or(0);
    }
    if (link.CommError)
        return std::nullopt;
    updateFlags(pollIndex_, value);

    if (std::find(alarmActive_.begin(), alarmActive_.end(), true) != alarmActive_.end()) {
        context_.SystemMessage = alarmMessage(alarmActive_, context_.AlarmText);
        return QStringLiteral("System Message:  Faults Active in PLC");
    }
    context_.SystemMessage = QStringLiteral("-- System Normal --") + CRLF +
                             QStringLiteral("Set-up Program is Currently ONLINE");
    return QStringLiteral("System Message:  All Faults Normal");
}

// A set bit raises its flag; a clear bit leaves it. Only a byte of 0 clears them all.
void BackgroundUpdate::updateFlags(int pollIndex, std::int32_t value) {
    if (pollIndex == BitAddress) {
        if (value > 0) {
            for (int bit = 1; bit <= 7; ++bit) {
                if (value & (1 << bit))
                    alarmActive_[static_cast<std::size_t>(bit)] = true;
            }
        } else {
            std::fill(alarmActive_.begin(), alarmActive_.begin() + 8, false);
        }
        return;
    }
    alarmActive_[static_cast<std::size_t>(pollIndex + FlagTextOffset)] = value > 0;
}

QString BackgroundUpdate::alarmMessage(const std::array<bool, AlarmTables::TextCount>& active,
                                       const std::array<QString, AlarmTables::TextCount>& texts) {
    QString message;
    for (std::size_t n = 0; n < active.size(); ++n) {
        if (active[n])
            message += QStringLiteral("** System ALARM **") + CRLF + texts[n] + CRLF + CRLF;
    }
    return message;
}
