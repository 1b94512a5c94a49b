#include <QComboBox>
#include <QLineSeries>

#include "MainDisplayFixture.h"
#include "SpeedTrendChart.h"

TEST_F(MainDisplayFixture, LoadedOfflineItShowsDashesAndEachLayoutIsAppliedOncePerChangeOfMode) {
    context.SystemMessage = QStringLiteral("Set-up Program is Currently OFFLINE");
    loadAndShow();
    EXPECT_EQ(
        QStringList({display->windowTitle(), frame(0)->title(), frame(1)->title(),
                     find<QGroupBox>("fraMessageDisplay")->title(),
                     find<QPushButton>("cmdDefault")->text()}),
        QStringList({"BM Main Display", "Machine Speed SPM", "Machine Position", "Messages", "-"}));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(label(i)->text(), QStringLiteral("-"));
        EXPECT_FALSE(label(i)->isEnabled() || frame(i)->isEnabled());
    }
    EXPECT_TRUE(display->windowActive());
    runPasses(1);
    EXPECT_EQ(messages(), QStringLiteral("Set-up Program is Currently OFFLINE"));
    EXPECT_TRUE(port.wire().empty());
    EXPECT_EQ(modeCalls, 0);

    // What each layout shows is checked above; here, when it is applied. Offline passes are
    // paced, online passes follow at once.
    auto* cycle = find<QTimer>("refreshCycle");
    EXPECT_GE(cycle->interval(), 50);
    // A later offline pass does not apply the offline layout again.
    label(0)->setText(QStringLiteral("x"));
    runPasses(2);
    EXPECT_EQ(label(0)->text(), QStringLiteral("x"));
    goOnline();
    runPasses(1);
    EXPECT_TRUE(display->onlineLayoutShown() && !display->offlineLayoutShown() &&
                label(0)->isEnabled());
    EXPECT_TRUE(cycle->interval() == 0 && cycle->isActive());
    link.OnlineMode = false;
    setOnlineMode();
    runPasses(1);
    EXPECT_EQ(label(0)->text() + label(1)->text(), QStringLiteral("--"));
    EXPECT_FALSE(label(0)->isEnabled() || frame(1)->isEnabled());
}

// Each turn of the event loop runs one step: the pass starts, then one read per step.
TEST_F(MainDisplayFixture, LoadedOnlineItShowsZerosUntilEachValueIsRead) {
    goOnline();
    setSpeedAndPosition(30, 90);
    load();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(label(i)->text(), QStringLiteral("0"));
        EXPECT_TRUE(label(i)->isEnabled() && frame(i)->isEnabled());
    }
    EXPECT_FALSE(display->windowActive()); // not before it is shown
    display->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(port.wire().empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(label(0)->text(), QStringLiteral("30"));
    EXPECT_EQ(label(1)->text(), QStringLiteral("0"));
    QCoreApplication::processEvents();
    EXPECT_EQ(label(1)->text(), QStringLiteral("90"));
    EXPECT_EQ(display->passCount(), 1);
}

// Above 50 strokes the position shows as 888, but is still read: every pass sends as much.
TEST_F(MainDisplayFixture, Above50StrokesThePositionIs888EachPassShowsTheMessageAFailureEndsIt) {
    showOnline();
    const struct {
        std::uint16_t speed;
        const char* position;
    } cases[] = {{0, "217"}, {50, "217"}, {51, "888"}, {200, "888"}, {49, "217"}};
    for (const auto& c : cases) {
        setSpeedAndPosition(c.speed, 217);
        port.clearWire();
        runPasses(1);
        EXPECT_EQ(label(0)->text(), QString::number(c.speed));
        EXPECT_EQ(label(1)->text(), QLatin1String(c.position)) << c.speed;
        EXPECT_EQ(port.wire().requests().size(), 8u) << c.speed;
    }
    // The message is shown in every online pass.
    context.SystemMessage = QStringLiteral("** System ALARM **\r\nNo Servo Fault\r\n\r\n");
    runPasses(1);
    EXPECT_EQ(messages(), QStringLiteral("** System ALARM **\nNo Servo Fault\n\n"));
    context.SystemMessage =
        QStringLiteral("-- System Normal --\r\nSet-up Program is Currently ONLINE");
    runPasses(1);
    EXPECT_EQ(messages(),
              QStringLiteral("-- System Normal --\nSet-up Program is Currently ONLINE"));

    // A link failure ends the pass, and the next pass drops to offline.
    setSpeedAndPosition(20, 45);
    runPasses(1);
    context.SystemMessage = QStringLiteral("Set-up Program is Currently ONLINE");
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    runPasses(1); // the speed read fails and is answered Cancel
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("WARNING - Communication Error!"));
    EXPECT_TRUE(link.CommError);
    EXPECT_EQ(label(0)->text(), QStringLiteral("20")); // the failed value is not shown
    EXPECT_EQ(label(1)->text(), QStringLiteral("45"));
    EXPECT_EQ(modeCalls, 0);

    runPasses(1);
    EXPECT_EQ(modeCalls, 1);
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_EQ(label(0)->text() + label(1)->text(), QStringLiteral("--"));
    EXPECT_EQ(messages(), QStringLiteral("Set-up Program is Currently ONLINE"));
    EXPECT_EQ(prompter.count(), 1); // the window adds no message of its own
}

// The trend takes the speeds the cycle reads (no exchange of its own), breaks where the link
// was offline, redraws once for the points of a quarter second, and keeps its span.
TEST_F(MainDisplayFixture, TheTrendFollowsTheSpeedReadNoStepRunsWhileTheLinkIsBusyOrClosed) {
    QDateTime now(QDate(2026, 12, 7), QTime(3, 10, 0));
    context.currentDateTime = [&] { return now; };
    context.SettingsFile = folder.filePath("vorna7.ini");
    showOnline(); // the first pass puts the link into read mode
    auto* trend = find<SpeedTrendChart>("fraTrend");
    for (const auto& [speed, online] : {std::pair{200, true}, {120, true}, {0, false}, {0, true}}) {
        link.OnlineMode = online;
        setSpeedAndPosition(static_cast<std::uint16_t>(speed), 0);
        port.clearWire();
        runPasses(1);
        EXPECT_EQ(port.wire().requests().size(), online ? 8u : 0u); // speed and position only
        now = now.addMSecs(SpeedTrend::StepMs);
    }
    const long long redraws = trend->redrawCount();
    QTest::qWait(SpeedTrendChart::RedrawIntervalMs + 50);
    EXPECT_EQ(trend->redrawCount(), redraws + 1);
    ASSERT_EQ(trend->segments().size(), 2u); // low and high of the first step, then the gap
    EXPECT_EQ(trend->segments()[0]->count() * 10 + trend->segments()[1]->count(), 21);
    EXPECT_EQ(trend->spanMinutes(), 10);
    find<QComboBox>("cboTrendSpan")->setCurrentIndex(2);
    EXPECT_EQ(SpeedTrendChart(context).spanMinutes(), 60);

    // No step runs while the link is in use, nor after closing.
    bool stepped = true;
    std::size_t bytesDuring = 0;
    prompter.onAsk([&](const ScriptedPrompter::Message&) {
        const std::size_t before = port.wire().size();
        stepped = display->runCycleStep();
        bytesDuring = port.wire().size() - before;
    });
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    link.RSRead(QStringLiteral("W1022"));
    EXPECT_FALSE(stepped);
    EXPECT_EQ(bytesDuring, 0u);

    // Closing the window stops its cycle.
    board.faults().clear();
    goOnline();
    display->close();
    EXPECT_FALSE(display->windowActive());
    port.clearWire();
    EXPECT_FALSE(display->runCycleStep());
    for (int turn = 0; turn < 5; ++turn)
        QCoreApplication::processEvents();
    EXPECT_TRUE(port.wire().empty());
}
