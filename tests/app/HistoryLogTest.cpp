#include <gtest/gtest.h>

#include "AlarmRecorder.h"
#include "AppContext.h"
#include "HistoryLog.h"
#include "QStringPrinter.h"
#include "ScriptedPrompter.h"
#include "TempFolder.h"

namespace {

HistoryRecord record(int day, const char* time, const char* event, const char* text,
                     const char* good = "") {
    return {QDateTime(QDate(2026, 12, day), QTime::fromString(time)), event, text, "198", good, {}};
}

const QByteArray Header = HistoryRecord::HeaderLine;

// One file a day, whole lines under one header; Export takes the chosen days' lines of one
// kind, oldest first; a torn last line is ignored; junk is no record.
TEST(History, DayFilesExportAndTornLines) {
    TempFolder folder;
    HistoryLog log(folder.filePath("history"));
    const HistoryRecord records[] = {record(8, "07:00:00", "Alarm", "Not chosen"),
                                     record(6, "23:59:59", "Alarm", "Text, \"quoted\""),
                                     record(7, "06:00:00", "Transfer Data", "", "10")};
    for (const HistoryRecord& r : records)
        ASSERT_EQ(log.append(r), QString());
    EXPECT_EQ(folder.read("history/2026-12-06.csv"),
              Header + "2026-12-06 23:59:59,Alarm,\"Text, \"\"quoted\"\"\",198,,\n");
    EXPECT_EQ(log.readDay({2026, 12, 6}), QList<HistoryRecord>{records[1]});
    ASSERT_EQ(log.exportDays({{2026, 12, 7}, {2026, 12, 6}}, HistoryRecord::Kind::Alarms,
                             folder.filePath("out.csv")),
              QString());
    EXPECT_EQ(folder.read("out.csv"), Header + records[1].csvLine());

    // A crash in the middle of a line leaves it without its line end: reading skips it, and
    // the next append cuts it away first so the new line stands on its own.
    const QByteArray whole = "2026-12-07 03:10:00,Alarm,Die Sensor Fail Alarm,0,,\n";
    ASSERT_TRUE(folder.write("history/2026-12-07.csv", Header + whole + "2026-12-07 03:11:0"));
    ASSERT_EQ(log.readDay({2026, 12, 7}).size(), 1);
    ASSERT_EQ(log.append(record(7, "04:00:00", "Alarm", "Next")), QString());
    EXPECT_EQ(folder.read("history/2026-12-07.csv"),
              Header + whole + "2026-12-07 04:00:00,Alarm,Next,198,,\n");
    for (const char* junk : {"2026-12-07 03:10:00,Alarm,\"open,,,", "2026-12-07 03:10:00,A,x,1,2",
                             "2026-13-07 03:10:00,Alarm,x,1,2,3", "\xff\xfe,,,,,"})
        EXPECT_FALSE(HistoryRecord::fromCsvLine(junk).has_value()) << junk;
}

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

} // namespace
