#include "AlarmRecorder.h"

#include "AppContext.h"
#include "HistoryLog.h"
#include "HistoryRecord.h"

void AlarmRecorder::observe(const Flags& alarmActive, bool online, const QString& statusText) {
    if (online != online_) {
        online_ = online;
        record(QLatin1String(online ? HistoryRecord::LinkOnline : HistoryRecord::LinkOffline),
               statusText);
    }
    for (std::size_t n = 0; n < alarmActive.size(); ++n) {
        if (alarmActive[n] == recorded_[n])
            continue;
        recorded_[n] = alarmActive[n];
        record(QLatin1String(alarmActive[n] ? HistoryRecord::AlarmRaised
                                            : HistoryRecord::AlarmCleared),
               context_.AlarmText[n]);
    }
}

void AlarmRecorder::record(const QString& event, const QString& text) {
    if (!context_.History)
        return;
    HistoryRecord entry;
    entry.time = context_.currentDateTime();
    entry.event = event;
    entry.text = text;
    if (const auto speed = context_.SpeedHistory.latestSpeed(entry.time.toMSecsSinceEpoch()))
        entry.speed = QString::number(*speed);
    context_.History->append(entry);
}
