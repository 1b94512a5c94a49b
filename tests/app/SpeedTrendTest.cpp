#include <gtest/gtest.h>

#include "SpeedTrend.h"

namespace {

constexpr qint64 Start = 1'800'000'000'000; // a whole number of steps

// Readings fold into steps that keep their low and high; offline, a failed read or a pause
// longer than the join limit breaks the line.
TEST(SpeedTrend, StepsGapsAndBounds) {
    SpeedTrend trend;
    EXPECT_TRUE(trend.addSpeed(Start, 200));
    EXPECT_FALSE(trend.addSpeed(Start + 100, 120)); // same step: nothing new to draw
    trend.addGap();
    EXPECT_FALSE(trend.latestSpeed(Start + 200).has_value());
    EXPECT_TRUE(trend.addSpeed(Start + 250, 0));
    trend.addSpeed(Start + 250 + SpeedTrend::LongestJoinMs + SpeedTrend::StepMs, 180);
    const auto lines = trend.lines(Start, Start + 10'000, 1000);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0], std::vector<QPointF>({{Start, 120}, {Start, 200}}));
    EXPECT_EQ(lines[1], std::vector<QPointF>({{Start + 250, 0}}));

    // Two more hours read every 20 ms keep one hour of steps; any span gives a column at most
    // its low and its high.
    constexpr qint64 TwoHours = 2 * SpeedTrend::KeptMs;
    for (qint64 ms = 0; ms < TwoHours; ms += 20)
        trend.addSpeed(Start + 20'000 + ms, 150 + (ms / 20) % 100);
    const qint64 latest = Start + 20'000 + TwoHours - SpeedTrend::StepMs;
    EXPECT_EQ(trend.stepCount(), std::size_t{SpeedTrend::KeptMs / SpeedTrend::StepMs + 1});
    EXPECT_TRUE(trend.lines(Start, latest - SpeedTrend::KeptMs - 1, 600).empty());
    const auto hour = trend.lines(latest - SpeedTrend::KeptMs, latest, 600);
    ASSERT_EQ(hour.size(), 1U);
    EXPECT_LE(hour[0].size(), 2U * 601);
}

} // namespace
