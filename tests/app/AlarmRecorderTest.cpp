#include <gtest/gtest.h>

#include "AlarmRecorder.h"
#include "AppContext.h"
#include "HistoryLog.h"
#include "QStringPrinter.h"
#include "ScriptedPrompter.h"
#include "TempFolder.h"

// Each tick's raised flags and link state in, the lines it adds out; the start adds none.
TEST(AlarmRecorder, RecordsEachRiseAndFallOfAFlagAndOfTheLink) {
    TempFolder folder;
    ScriptedPrompter prompter;
    AppContext context(folder.path(), prompter);
    context.InitAlarmTables();
    HistoryLog log(folder.filePath("history"));
    context.History = &log;
    const QDateTime now(QDate(2026, 12, 7), QTime(3, 10));
    context.currentDateTime = [&] { return now; };
    context.SpeedHistory.addSpeed(now.toMSecsSinceEpoch(), 198);
    AlarmRecorder recorder(context);
    const std::pair<std::vector<std::size_t>, bool> ticks[] = {
        {{}, false}, {{}, true}, {{1, 2}, true}, {{2}, true}, {{2}, false}};
    for (const auto& [raised, online] : ticks) {
        AlarmRecorder::Flags flags{};
        for (std::size_t n : raised)
            flags[n] = true;
        recorder.observe(flags, online, "status");
    }
    QStringList lines;
    for (const HistoryRecord& record : log.readDay(now.date()))
        lines.append(record.event + ',' + record.text + ',' + record.speed);
    EXPECT_EQ(lines,
              QStringList({"Link online,status,198", "Alarm,Cupfeed Motor O'Temp,198",
                           "Alarm,Servo Amplifier Fault,198",
                           "Alarm cleared,Cupfeed Motor O'Temp,198", "Link offline,status,198"}));
}
