#include <gtest/gtest.h>

#include "SpeedTrend.h"

namespace {

constexpr qint64 Start = 1'800'000'000'000; // a whole number of steps

std::vector<std::size_t> lineSizes(const SpeedTrend& trend, qint64 from, qint64 to, int columns) {
    std::vector<std::size_t> sizes;
    for (const auto& line : trend.lines(from, to, columns))
        sizes.push_back(line.size());
    return sizes;
}

TEST(SpeedTrend, ReadingsFoldIntoStepsThatKeepTheirLowAndHigh) {
    SpeedTrend trend;
    EXPECT_TRUE(trend.addSpeed(Start, 200));
    EXPECT_FALSE(trend.addSpeed(Start + 100, 120)); // same step: nothing new to draw
    EXPECT_TRUE(trend.addSpeed(Start + 250, 190));
    const auto lines = trend.lines(Start, Start + 500, 2);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0], std::vector<QPointF>({{Start, 120}, {Start, 200}, {Start + 250, 190}}));
}

// Offline, a failed read, or a pause longer than two seconds: the line breaks there.
TEST(SpeedTrend, GapsBreakTheLine) {
    SpeedTrend trend;
    trend.addSpeed(Start, 200);
    trend.addSpeed(Start + 250, 200);
    trend.addGap();
    EXPECT_FALSE(trend.latestSpeed(Start + 300).has_value());
    trend.addSpeed(Start + 500, 0);
    EXPECT_EQ(trend.latestSpeed(Start + 600), 0.0);
    trend.addSpeed(Start + 500 + SpeedTrend::LongestJoinMs + SpeedTrend::StepMs, 180);
    EXPECT_EQ(lineSizes(trend, Start, Start + 10'000, 1000), std::vector<std::size_t>({2, 1, 1}));
}

// An hour read as fast as the link allows stays within the hour's steps, and however wide
// the span, each column gives at most its low and its high.
TEST(SpeedTrend, MemoryAndPointsStayBounded) {
    SpeedTrend trend;
    constexpr qint64 TwoHours = 2 * SpeedTrend::KeptMs;
    for (qint64 ms = 0; ms < TwoHours; ms += 20)
        trend.addSpeed(Start + ms, 150 + (ms / 20) % 100);
    EXPECT_EQ(trend.stepCount(),
              static_cast<std::size_t>(SpeedTrend::KeptMs / SpeedTrend::StepMs) + 1);
    const auto lines = trend.lines(Start + TwoHours - SpeedTrend::KeptMs, Start + TwoHours, 600);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_LE(lines[0].size(), 2U * 601);
    // Nothing older than an hour before the latest step is left.
    const qint64 latest = Start + TwoHours - SpeedTrend::StepMs;
    EXPECT_EQ(trend.latestMs(), latest);
    EXPECT_TRUE(trend.lines(Start, latest - SpeedTrend::KeptMs - 1, 600).empty());
}

} // namespace
