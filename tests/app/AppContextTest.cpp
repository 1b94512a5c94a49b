#include <gtest/gtest.h>

#include "AppContext.h"
#include "ScriptedPrompter.h"

// The instant follows the clock a test pins, and the system clock otherwise.
TEST(AppContext, TheCurrentInstantFollowsThePinnedClock) {
    ScriptedPrompter prompter;
    AppContext context(QStringLiteral("."), prompter);
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    const qint64 system = context.currentMSecsSinceEpoch();
    EXPECT_TRUE(system >= before && system <= QDateTime::currentMSecsSinceEpoch());
    const QDateTime pinned(QDate(2026, 12, 7), QTime(3, 10, 5));
    context.currentDateTime = [&] { return pinned; };
    EXPECT_EQ(context.currentMSecsSinceEpoch(), pinned.toMSecsSinceEpoch());
}
