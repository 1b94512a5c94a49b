#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "FileDialogs.h"
#include "HistoryLog.h"
#include "QStringPrinter.h"
#include "ScriptedPrompter.h"
#include "TempFolder.h"
#include "frmHistory.h"

namespace {

// Every save dialog answers the one path.
class ChosenPath final : public FileDialogs {
public:
    std::optional<QString> openFile(const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const QString&) override { return path; }
    QString path;
};

HistoryRecord record(int day, const char* time, const char* event, const char* text = "") {
    return {QDateTime(QDate(2026, 12, day), QTime::fromString(QLatin1String(time))),
            QLatin1String(event),
            QLatin1String(text),
            QStringLiteral("198"),
            {},
            {}};
}

class HistoryWindow : public ::testing::Test {
protected:
    HistoryWindow() {
        log.append(record(6, "22:00:00", "Alarm", "Die Sensor Fail Alarm"));
        log.append(record(7, "03:10:00", "Alarm", "Cupfeed Motor O'Temp"));
        log.append(record(7, "03:12:00", "Alarm cleared", "Cupfeed Motor O'Temp"));
        log.append({QDateTime(QDate(2026, 12, 7), QTime(6, 0)), "Transfer Data", {}, {}, "5", "1"});
    }
    QStringList column(frmHistory& window, int c) const {
        auto* grid = window.findChild<QTableWidget*>(QStringLiteral("grdHistory"));
        QStringList texts;
        for (int r = 0; r < grid->rowCount(); ++r)
            texts.append(grid->item(r, c)->text());
        return texts;
    }

    TempFolder folder;
    HistoryLog log{folder.filePath(QStringLiteral("history"))};
    ChosenPath dialogs;
    ScriptedPrompter prompter;
};

TEST_F(HistoryWindow, ShowsTheChosenDaysNewestFirstFollowsNewLinesAndExports) {
    frmHistory window(log, HistoryRecord::Kind::Alarms, dialogs, prompter);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Alarm History"));
    auto* days = window.findChild<QListWidget*>(QStringLiteral("lstDays"));
    ASSERT_EQ(days->count(), 2);
    EXPECT_EQ(days->item(0)->text(), QStringLiteral("2026-12-07"));
    EXPECT_EQ(column(window, 0),
              QStringList({"2026-12-07 03:12:00", "2026-12-07 03:10:00"})); // no shift here
    EXPECT_EQ(column(window, 1), QStringList({"Alarm cleared", "Alarm"}));

    days->item(1)->setSelected(true);
    log.append(record(7, "04:00:00", "Link offline", "System Message:  Comm Fault with K6674"));
    EXPECT_EQ(column(window, 2),
              QStringList({"System Message:  Comm Fault with K6674", "Cupfeed Motor O'Temp",
                           "Cupfeed Motor O'Temp", "Die Sensor Fail Alarm"}));

    const QString path = folder.filePath(QStringLiteral("out.csv"));
    dialogs.path = path;
    window.findChild<QPushButton*>(QStringLiteral("cmdExport"))->click();
    EXPECT_EQ(folder.read(QStringLiteral("out.csv")).count('\n'), 5); // header and four lines

    frmHistory shifts(log, HistoryRecord::Kind::Shifts, dialogs, prompter);
    EXPECT_EQ(shifts.windowTitle(), QStringLiteral("Shift History"));
    EXPECT_EQ(column(shifts, 1), QStringList({"5"}));
}

} // namespace
