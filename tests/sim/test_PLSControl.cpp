#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Board.h"
#include "ControlCommand.h"

using sim::Board;
using sim::ControlCommand;
using sim::PLSChannel;

namespace {

struct PLSCommandLine {
    const char* line;
    std::string answer;
    std::function<bool(const Board&)> effect;
};

void PrintTo(const PLSCommandLine& row, std::ostream* out) {
    *out << '"' << row.line << '"';
}

bool unchanged(const Board& board) {
    const Board fresh;
    for (int i = 0; i < sim::LimitSwitch::ChannelCount; ++i) {
        if (board.pls().channel(i).kind() != fresh.pls().channel(i).kind() ||
            board.pls().channel(i).onSetpoint() != fresh.pls().channel(i).onSetpoint())
            return false;
    }
    return board.pls().config() == fresh.pls().config() && board.pls().busyPeriod() == 0 &&
           board.memory().byte(8159) == 23 && board.memory().byte(8176) == 0;
}

const std::string ChannelUsage =
    "error usage: channel <0-7> [clear | <on> <off> | pulse <start> <on> <off>]";

class PLSControlLine : public testing::TestWithParam<PLSCommandLine> {};

} // namespace

TEST_P(PLSControlLine, AnswersAndActs) {
    Board board;
    EXPECT_EQ(ControlCommand::apply(board, GetParam().line), GetParam().answer);
    EXPECT_TRUE(GetParam().effect(board));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, PLSControlLine,
    testing::Values(
        PLSCommandLine{"channel 0", "ok setpoints 150 170", unchanged},
        PLSCommandLine{
            "channel 7 clear", "ok",
            [](const Board& b) { return b.pls().channel(7).kind() == PLSChannel::Kind::Cleared; }},
        PLSCommandLine{"channel 3 10 350", "ok",
                       [](const Board& b) {
                           return b.pls().channel(3).onSetpoint() == 10 &&
                                  b.pls().channel(3).offSetpoint() == 350;
                       }},
        PLSCommandLine{"channel 3 10 360", "error setpoint outside the scale factor", unchanged},
        PLSCommandLine{"channel 2 pulse 5 10 20", "ok",
                       [](const Board& b) {
                           return b.pls().channel(2).kind() == PLSChannel::Kind::PulseTrain &&
                                  b.pls().channel(2).start() == 5;
                       }},
        PLSCommandLine{"channel 2 pulse 5 10 25", "error pulse train does not fit the scale factor",
                       unchanged},
        PLSCommandLine{"channel 2 pulse 5 256 104", ChannelUsage, unchanged},
        PLSCommandLine{"channel 8", ChannelUsage, unchanged},
        PLSCommandLine{"channel 1 -1 10", ChannelUsage, unchanged},
        PLSCommandLine{"channel 1 pulse 0 10", ChannelUsage, unchanged},
        PLSCommandLine{"pls-config", "ok 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 8 0 0 0 0 0",
                       unchanged},
        PLSCommandLine{"pls-config 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 255",
                       "ok",
                       [](const Board& b) {
                           return b.pls().config()[0] == 1 && b.pls().config()[18] == 19 &&
                                  b.pls().config()[23] == 255;
                       }},
        PLSCommandLine{"pls-config 1 2 3", "error usage: pls-config [<24 values 0-255>]",
                       unchanged},
        PLSCommandLine{"pls-config 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 256",
                       "error usage: pls-config [<24 values 0-255>]", unchanged},
        PLSCommandLine{"pls-busy", "ok 0", unchanged},
        PLSCommandLine{"pls-busy 250", "ok",
                       [](const Board& b) { return b.pls().busyPeriod() == 250'000; }},
        PLSCommandLine{"pls-busy 60001", "error usage: pls-busy [<ms 0-60000>]", unchanged},
        PLSCommandLine{"firmware", "ok 23", unchanged},
        PLSCommandLine{"firmware 41", "ok",
                       [](const Board& b) { return b.memory().byte(8159) == 41; }},
        PLSCommandLine{"firmware 256", "error usage: firmware [<0-255>]", unchanged},
        PLSCommandLine{"fault-code", "ok 0", unchanged},
        PLSCommandLine{"fault-code 92", "ok",
                       [](const Board& b) { return b.memory().byte(8176) == 92; }},
        PLSCommandLine{"fault-code x", "error usage: fault-code [<0-255>]", unchanged},
        PLSCommandLine{
            "fault pls-not-ready on", "ok",
            [](const Board& b) { return b.faults().plan(sim::Fault::PLSNotReady).active(); }},
        PLSCommandLine{
            "fault bad-recall 1 after 3", "ok",
            [](const Board& b) { return b.faults().plan(sim::Fault::BadRecall).active(); }},
        PLSCommandLine{"fault pls-wrong-ack off", "ok", unchanged}));

TEST(PLSControl, ChannelShowsWhatItHolds) {
    Board board;
    ASSERT_EQ(ControlCommand::apply(board, "channel 4 pulse 300 10 20"), "ok");
    EXPECT_EQ(ControlCommand::apply(board, "channel 4"), "ok pulse-train 300 10 20");
    ASSERT_EQ(ControlCommand::apply(board, "channel 4 clear"), "ok");
    EXPECT_EQ(ControlCommand::apply(board, "channel 4"), "ok cleared");
}
