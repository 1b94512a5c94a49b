#include <gtest/gtest.h>

#include "AlarmRecorder.h"
#include "AppContext.h"
#include "HistoryLog.h"
#include "QStringPrinter.h"
#include "ScriptedPrompter.h"
#include "TempFolder.h"

namespace {

const QString Offline = QStringLiteral("System Message:  Program is Currently OFFLINE");
const QString CommFault = QStringLiteral("System Message:  Comm Fault with K6674");
const QString Active = QStringLiteral("System Message:  Faults Active in PLC");
const QString Normal = QStringLiteral("System Message:  All Faults Normal");

// Each tick's flags, link state and status in, the lines it adds to the day's file out.
TEST(AlarmRecorder, RecordsEachRiseAndFallOfAFlagAndOfTheLink) {
    TempFolder folder;
    ScriptedPrompter prompter;
    AppContext context(folder.path(), prompter);
    context.InitAlarmTables();
    HistoryLog log(folder.filePath(QStringLiteral("history")));
    context.History = &log;
    const QDateTime now(QDate(2026, 12, 7), QTime(3, 10, 0));
    context.currentDateTime = [&] { return now; };
    context.SpeedHistory.addSpeed(now.toMSecsSinceEpoch(), 198);
    AlarmRecorder recorder(context);

    AlarmRecorder::Flags flags{};
    struct Tick {
        std::vector<int> raised;
        bool online;
        QString status;
        QStringList lines;
    } ticks[] = {
        {{}, false, Offline, {}}, // the start records nothing
        {{}, true, Normal, {"Link online,System Message:  All Faults Normal,198"}},
        {{1, 2},
         true,
         Active,
         {"Alarm,Cupfeed Motor O'Temp,198", "Alarm,Servo Amplifier Fault,198"}},
        {{1, 2}, true, Active, {}},
        {{2}, true, Active, {"Alarm cleared,Cupfeed Motor O'Temp,198"}},
        {{2}, false, CommFault, {"Link offline,System Message:  Comm Fault with K6674,198"}},
    };
    for (const Tick& tick : ticks) {
        const qsizetype before = log.readDay(now.date()).size();
        flags.fill(false);
        for (int n : tick.raised)
            flags[static_cast<std::size_t>(n)] = true;
        recorder.observe(flags, tick.online, tick.status);
        QStringList lines;
        for (const HistoryRecord& record : log.readDay(now.date()).mid(before))
            lines.append(QStringList{record.event, record.text, record.speed}.join(u','));
        EXPECT_EQ(lines, tick.lines) << tick.status.toStdString();
    }
}

} // namespace
