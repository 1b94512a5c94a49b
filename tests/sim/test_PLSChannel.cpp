#include <gtest/gtest.h>

#include <vector>

#include "PLSChannel.h"

using sim::PLSChannel;

namespace {

// Positions 0..scale-1 where the output is on, as a string of '1' and '.'.
std::string pattern(const PLSChannel& channel, std::uint16_t scale) {
    std::string result;
    for (std::uint16_t position = 0; position < scale; ++position)
        result += channel.output(position, scale) ? '1' : '.';
    return result;
}

} // namespace

TEST(PLSChannel, OutputWindows) {
    PLSChannel channel;
    EXPECT_EQ(pattern(channel, 12), "............");
    channel.setSetpoints(3, 6);
    EXPECT_EQ(pattern(channel, 12), "...111......");
    channel.setSetpoints(10, 2);
    EXPECT_EQ(pattern(channel, 12), "11........11");
    channel.setSetpoints(4, 4);
    EXPECT_EQ(pattern(channel, 12), "............");
    channel.setPulseTrain(0, 1, 2);
    EXPECT_EQ(pattern(channel, 12), "1..1..1..1..");
    channel.setPulseTrain(5, 2, 2);
    EXPECT_EQ(pattern(channel, 12), ".11..11..11.");
    channel.clear();
    EXPECT_EQ(pattern(channel, 12), "............");
}

TEST(PLSChannel, RecallStepsTakeTurnsForAPairAndStayForTheRest) {
    using Step = PLSChannel::RecallStep;
    PLSChannel channel;
    EXPECT_EQ(channel.recall(), (Step{PLSChannel::ClearedState, 0}));
    EXPECT_EQ(channel.recall(), (Step{PLSChannel::ClearedState, 0}));

    channel.setSetpoints(300, 40);
    const std::vector<Step> pair = {channel.recall(), channel.recall(), channel.recall()};
    EXPECT_EQ(pair, (std::vector<Step>{{1, 300}, {0, 40}, {1, 300}}));

    channel.setPulseTrain(17, 5, 7);
    EXPECT_EQ(channel.recall(), (Step{PLSChannel::PulseTrainState, 17}));
    EXPECT_EQ(channel.recall(), (Step{PLSChannel::PulseTrainState, 17}));

    channel.setSetpoints(8, 9); // programming starts again at the ON point
    EXPECT_EQ(channel.recall(), (Step{1, 8}));
}
