#pragma once

#include <QString>
#include <array>
#include <optional>

#include "AlarmTables.h"

class AppContext;

// One tick of the main window's background timer: offline it states the mode; online it
// polls the next alarm address, keeps the alarm flags and rewrites SystemMessage. The flags
// and the poll position live for the whole run; going offline does not reset them.
class BackgroundUpdate {
public:
    explicit BackgroundUpdate(AppContext& context) : context_(context) {}

    // Status panel 1's new text, or nothing when the tick changed nothing (the link was in
    // use elsewhere, or the poll's read failed).
    std::optional<QString> Tick();

    int PollIndex() const { return pollIndex_; }
    const std::array<bool, AlarmTables::TextCount>& AlarmActive() const { return alarmActive_; }

    static QString alarmMessage(const std::array<bool, AlarmTables::TextCount>& active,
                                const std::array<QString, AlarmTables::TextCount>& texts);

private:
    void updateFlags(int pollIndex, std::int32_t value);

    AppContext& context_;
    int pollIndex_ = 0;
    std::array<bool, AlarmTables::TextCount> alarmActive_{};
};
