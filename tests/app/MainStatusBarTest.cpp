#include <QTest>
#include <gtest/gtest.h>

#include "MainStatusBar.h"

// The C locale's short time shows seconds, so the panel must follow each second, not each
// minute.
TEST(MainStatusBar, TimePanelShowingSecondsFollowsTheNextSecond) {
    QDateTime now(QDate(2024, 3, 14), QTime(14, 5, 7, 950));
    MainStatusBar bar([&now] { return now; }, QLocale::c());
    EXPECT_EQ(bar.panelText(MainStatusBar::TimePanelNumber), QStringLiteral("14:05:07"));

    now = now.addMSecs(60);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return bar.panelText(MainStatusBar::TimePanelNumber) == QStringLiteral("14:05:08"); },
        2000));
}
