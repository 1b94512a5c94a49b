#pragma once

#include <QString>
#include <array>

#include "AlarmTables.h"

class AppContext;
class HistoryRecord;

// Turns the background poll's results into history records: each alarm flag that rises or
// falls, and the link going offline or coming back, with the time and the speed then.
// The program starts offline with no alarm, so its start records nothing.
class AlarmRecorder {
public:
    using Flags = std::array<bool, AlarmTables::TextCount>;

    explicit AlarmRecorder(AppContext& context) : context_(context) {}

    // After each tick of the background timer: `statusText` is what status panel 1 shows.
    void observe(const Flags& alarmActive, bool online, const QString& statusText);

private:
    void record(const QString& event, const QString& text);

    AppContext& context_;
    Flags recorded_{};
    bool online_ = false;
};
