#include <gtest/gtest.h>

#include "HistoryLog.h"
#include "QStringPrinter.h"
#include "TempFolder.h"

namespace {

QDateTime at(const char* text) {
    return QDateTime::fromString(QLatin1String(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

HistoryRecord alarm(const char* time, const char* text, const char* speed = "") {
    return {at(time),
            QLatin1String(HistoryRecord::AlarmRaised),
            QLatin1String(text),
            QLatin1String(speed),
            {},
            {}};
}

HistoryRecord shift(const char* time, const char* good, const char* shortCans) {
    return {at(time),
            QLatin1String(HistoryRecord::ShiftClosed),
            {},
            {},
            QLatin1String(good),
            QLatin1String(shortCans)};
}

const QByteArray Header = HistoryRecord::HeaderLine;

class History : public ::testing::Test {
protected:
    TempFolder folder;
    HistoryLog log{folder.filePath(QStringLiteral("history"))};
};

TEST_F(History, EachDayHasItsFileOfWholeLinesUnderOneHeader) {
    ASSERT_EQ(log.append(alarm("2026-12-07 03:10:00", "Cupfeed Motor O'Temp", "198")), QString());
    ASSERT_EQ(log.append(alarm("2026-12-07 03:10:05", "Text, \"quoted\"")), QString());
    ASSERT_EQ(log.append(shift("2026-12-08 06:00:00", "123456", "7")), QString());
    EXPECT_EQ(folder.read(QStringLiteral("history/2026-12-07.csv")),
              Header + "2026-12-07 03:10:00,Alarm,Cupfeed Motor O'Temp,198,,\n"
                       "2026-12-07 03:10:05,Alarm,\"Text, \"\"quoted\"\"\",,,\n");
    EXPECT_EQ(folder.read(QStringLiteral("history/2026-12-08.csv")),
              Header + "2026-12-08 06:00:00,Transfer Data,,,123456,7\n");
    EXPECT_EQ(log.days(), QList<QDate>({QDate(2026, 12, 7), QDate(2026, 12, 8)}));
    EXPECT_EQ(log.readDay(QDate(2026, 12, 7)),
              QList<HistoryRecord>({alarm("2026-12-07 03:10:00", "Cupfeed Motor O'Temp", "198"),
                                    alarm("2026-12-07 03:10:05", "Text, \"quoted\"")}));
}

// A crash in the middle of a line leaves it without its line end: reading skips it, and the
// next append cuts it away first so the new line stands on its own.
TEST_F(History, ATornLastLineIsIgnoredAndCutBeforeTheNextAppend) {
    const QByteArray whole = "2026-12-07 03:10:00,Alarm,Die Sensor Fail Alarm,0,,\n";
    ASSERT_TRUE(folder.write(QStringLiteral("history/2026-12-07.csv"),
                             Header + whole + "2026-12-07 03:11:00,Alarm cleared,Die Se"));
    ASSERT_EQ(log.readDay(QDate(2026, 12, 7)).size(), 1);
    ASSERT_EQ(log.append(alarm("2026-12-07 04:00:00", "Next")), QString());
    EXPECT_EQ(folder.read(QStringLiteral("history/2026-12-07.csv")),
              Header + whole + "2026-12-07 04:00:00,Alarm,Next,,,\n");
}

TEST(HistoryRecordLine, OnlyWholeRecordsAreRead) {
    const char* refused[] = {
        "Time,Event,Text,Speed SPM,Good Cans,Short Cans", // the header
        "2026-12-07 03:10:00,Alarm,\"open quote,,,",      // quotes that do not close
        "2026-12-07 03:10:00,Alarm,x,1,2",                // a field short
        "2026-13-07 03:10:00,Alarm,x,1,2,3",              // no such date
        "2026-12-07 03:10:00,,x,1,2,3",                   // no event
        "\xff\xfe,,,,,",
    };
    for (const char* line : refused)
        EXPECT_FALSE(HistoryRecord::fromCsvLine(line).has_value()) << line;
    EXPECT_TRUE(HistoryRecord::fromCsvLine("2026-12-07 03:10:00,Alarm,x,1,,\r\n").has_value());
}

TEST_F(History, ExportWritesTheChosenDaysOfOneKindOldestFirst) {
    log.append(alarm("2026-12-06 23:59:59", "Late"));
    log.append(shift("2026-12-07 06:00:00", "10", "1"));
    log.append(alarm("2026-12-07 07:00:00", "Early"));
    log.append(alarm("2026-12-08 07:00:00", "Not chosen"));
    const QString path = folder.filePath(QStringLiteral("out.csv"));
    ASSERT_EQ(
        log.exportDays({QDate(2026, 12, 7), QDate(2026, 12, 6)}, HistoryRecord::Kind::Alarms, path),
        QString());
    EXPECT_EQ(folder.read(QStringLiteral("out.csv")), Header +
                                                          "2026-12-06 23:59:59,Alarm,Late,,,\n"
                                                          "2026-12-07 07:00:00,Alarm,Early,,,\n");
}

TEST_F(History, AnAppendThatCannotWriteSaysWhyAndTellsNoWindow) {
    ASSERT_TRUE(folder.write(QStringLiteral("history"), "a file where the folder should be"));
    bool told = false;
    QObject::connect(&log, &HistoryLog::recordAppended, [&] { told = true; });
    EXPECT_NE(log.append(alarm("2026-12-07 03:10:00", "x")), QString());
    EXPECT_FALSE(told);
}

} // namespace
