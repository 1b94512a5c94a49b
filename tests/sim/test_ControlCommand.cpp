#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Board.h"
#include "ControlCommand.h"

using sim::Board;
using sim::ControlCommand;
using sim::Fault;
using sim::PLSChannel;

namespace {

struct Command {
    const char* line;
    std::string answer;
    std::function<bool(Board&)> effect;
};

// Nothing but the answer: the board is as a fresh one.
bool unchanged(Board& board) {
    const Board fresh;
    for (int i = 0; i < sim::LimitSwitch::ChannelCount; ++i) {
        if (board.pls().channel(i).kind() != fresh.pls().channel(i).kind() ||
            board.pls().channel(i).onSetpoint() != fresh.pls().channel(i).onSetpoint())
            return false;
    }
    return board.pls().config() == fresh.pls().config() && board.pls().busyPeriod() == 0 &&
           board.memory().byte(8159) == 23 && board.memory().byte(8176) == 0;
}

const char* const ChannelUsage =
    "error usage: channel <0-7> [clear | <on> <off> | pulse <start> <on> <off>]";

const Command commands[] = {
    {"set B101 3", "ok", [](Board& b) { return b.memory().byte(101) == 3; }},
    {"  set\tB100.4  1 \r\n", "ok", [](Board& b) { return b.memory().byte(100) & 0x10; }},
    {"set B101 256", "error bad value", [](Board& b) { return b.memory().byte(101) == 0; }},
    {"set B101 3x", "error bad value", unchanged},
    {"set Q1 1", "error bad address", unchanged},
    {"set B101", "error usage: set <address> <value>", unchanged},
    {"get W182", "ok 200", unchanged},
    {"get W", "error bad address", unchanged},
    {"speed 250", "ok", [](Board& b) { return b.memory().word(182) == 250; }},
    {"speed 65536", "error usage: speed <strokes per minute>",
     [](Board& b) { return b.memory().word(182) == 200; }},
    {"wire 19200", "ok", [](Board& b) { return b.faults().wireBaud() == 19200; }},
    {"wire 4800", "error usage: wire 0|9600|19200",
     [](Board& b) { return b.faults().wireBaud() == 0; }},
    {"fault wrong-ack 2", "ok",
     [](Board& b) {
         return b.faults().strike(Fault::WrongAcknowledge) &&
                b.faults().strike(Fault::WrongAcknowledge) &&
                !b.faults().strike(Fault::WrongAcknowledge);
     }},
    {"fault wrong-echo 1 after 2", "ok",
     [](Board& b) {
         return !b.faults().strike(Fault::WrongEcho) && !b.faults().strike(Fault::WrongEcho) &&
                b.faults().strike(Fault::WrongEcho) && !b.faults().strike(Fault::WrongEcho);
     }},
    {"fault line-drop off", "ok",
     [](Board& b) { return !b.faults().plan(Fault::LineDrop).active(); }},
    {"fault bogus on", "error unknown fault", unchanged},
    {"fault silence 0", "error bad count",
     [](Board& b) { return !b.faults().plan(Fault::Silence).active(); }},
    {"fault silence on after 2", "error bad count", unchanged},
    {"fault silence", "error usage: fault <name> on|off|<count> [after <count>]", unchanged},
    {"drop", "ok", [](Board& b) { return b.faults().lineDropped(); }},
    {"drop now", "error unknown command", [](Board& b) { return !b.faults().lineDropped(); }},
    {"", "error empty command", unchanged},
    {"frobnicate", "error unknown command", unchanged},

    {"channel 0", "ok setpoints 150 170", unchanged},
    {"channel 7 clear", "ok",
     [](Board& b) { return b.pls().channel(7).kind() == PLSChannel::Kind::Cleared; }},
    {"channel 3 10 350", "ok",
     [](Board& b) {
         return b.pls().channel(3).onSetpoint() == 10 && b.pls().channel(3).offSetpoint() == 350;
     }},
    {"channel 3 10 360", "error setpoint outside the scale factor", unchanged},
    {"channel 2 pulse 5 10 20", "ok",
     [](Board& b) {
         return b.pls().channel(2).kind() == PLSChannel::Kind::PulseTrain &&
                b.pls().channel(2).start() == 5;
     }},
    {"channel 2 pulse 5 10 25", "error pulse train does not fit the scale factor", unchanged},
    {"channel 2 pulse 5 256 104", ChannelUsage, unchanged},
    {"channel 1 pulse 0 10", ChannelUsage, unchanged},
    {"pls-config", "ok 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 8 0 0 0 0 0", unchanged},
    {"pls-config 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 255", "ok",
     [](Board& b) {
         return b.pls().config()[0] == 1 && b.pls().config()[18] == 19 &&
                b.pls().config()[23] == 255;
     }},
    {"pls-config 1 2 3", "error usage: pls-config [<24 values 0-255>]", unchanged},
    {"pls-config 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 256",
     "error usage: pls-config [<24 values 0-255>]", unchanged},
    {"pls-busy", "ok 0", unchanged},
    {"pls-busy 250", "ok", [](Board& b) { return b.pls().busyPeriod() == 250'000; }},
    {"pls-busy 60001", "error usage: pls-busy [<ms 0-60000>]", unchanged},
    {"firmware", "ok 23", unchanged},
    {"firmware 41", "ok", [](Board& b) { return b.memory().byte(8159) == 41; }},
    {"firmware 256", "error usage: firmware [<0-255>]", unchanged},
    {"fault-code", "ok 0", unchanged},
    {"fault-code 92", "ok", [](Board& b) { return b.memory().byte(8176) == 92; }},
    {"fault-code x", "error usage: fault-code [<0-255>]", unchanged},
};

} // namespace

TEST(ControlCommand, EachLineAnswersAndActs) {
    for (const Command& command : commands) {
        Board board;
        EXPECT_EQ(ControlCommand::apply(board, command.line), command.answer) << command.line;
        EXPECT_TRUE(command.effect(board)) << command.line;
    }
}

TEST(PLSControl, ChannelShowsWhatItHolds) {
    Board board;
    ASSERT_EQ(ControlCommand::apply(board, "channel 4 pulse 300 10 20"), "ok");
    EXPECT_EQ(ControlCommand::apply(board, "channel 4"), "ok pulse-train 300 10 20");
    ASSERT_EQ(ControlCommand::apply(board, "channel 4 clear"), "ok");
    EXPECT_EQ(ControlCommand::apply(board, "channel 4"), "ok cleared");
}

// Each fault's name sets its own plan; "fault clear" switches every plan off.
TEST(ControlCommand, FaultClearSwitchesEveryPlanOff) {
    Board board;
    const std::pair<const char*, Fault> faults[] = {
        {"fault silence on", Fault::Silence},
        {"fault wrong-echo on", Fault::WrongEcho},
        {"fault wrong-ack 3", Fault::WrongAcknowledge},
        {"fault pls-not-ready on", Fault::PLSNotReady},
        {"fault pls-wrong-ack 2", Fault::PLSWrongAck},
        {"fault bad-recall 1 after 3", Fault::BadRecall}};
    for (const auto& [line, fault] : faults) {
        ASSERT_EQ(ControlCommand::apply(board, line), "ok");
        EXPECT_TRUE(board.faults().plan(fault).active()) << line;
    }
    EXPECT_EQ(ControlCommand::apply(board, "fault clear"), "ok");
    for (const auto& [line, fault] : faults)
        EXPECT_FALSE(board.faults().plan(fault).active()) << line;
}
