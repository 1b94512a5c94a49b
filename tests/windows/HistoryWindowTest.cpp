#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "../app/ScriptedDialogs.h"
#include "HistoryLog.h"
#include "QStringPrinter.h"
#include "ScriptedPrompter.h"
#include "TempFolder.h"
#include "frmHistory.h"

namespace {

HistoryRecord record(int day, const char* time, const char* event) {
    return {QDateTime(QDate(2026, 12, day), QTime::fromString(time)), event, "x", "", "5", ""};
}

QStringList column(frmHistory& window, int c) {
    auto* grid = window.findChild<QTableWidget*>("grdHistory");
    QStringList texts;
    for (int r = 0; r < grid->rowCount(); ++r)
        texts.append(grid->item(r, c)->text());
    return texts;
}

// The newest day is chosen at first, lines newest first, of the window's kind only; lines
// appended while open appear; Export writes the chosen days.
TEST(HistoryWindow, ShowsTheChosenDaysNewestFirstFollowsNewLinesAndExports) {
    TempFolder folder;
    HistoryLog log(folder.filePath("history"));
    for (const HistoryRecord& r : {record(6, "22:00:00", "Alarm"), record(7, "03:10:00", "Alarm"),
                                   record(7, "06:00:00", "Transfer Data")})
        log.append(r);
    ScriptedDialogs dialogs;
    ScriptedPrompter prompter;
    frmHistory window(log, HistoryRecord::Kind::Alarms, dialogs, prompter);
    EXPECT_EQ(column(window, 0), QStringList{"2026-12-07 03:10:00"});
    window.findChild<QListWidget*>("lstDays")->item(1)->setSelected(true);
    log.append(record(7, "04:00:00", "Link offline"));
    EXPECT_EQ(column(window, 1), QStringList({"Link offline", "Alarm", "Alarm"}));
    dialogs.choose(folder.filePath("out.csv"));
    window.findChild<QPushButton*>("cmdExport")->click();
    EXPECT_EQ(folder.read("out.csv").count('\n'), 4); // the header and three lines
}

} // namespace
