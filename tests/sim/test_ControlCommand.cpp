#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Board.h"
#include "ControlCommand.h"

using sim::Board;
using sim::ControlCommand;
using sim::Fault;

namespace {

struct Command {
    const char* line;
    const char* answer;
    std::function<bool(Board&)> effect;
};

bool unchanged(Board&) {
    return true;
}

[[maybe_unused]] void PrintTo(const Command& row, std::ostream* out) {
    *out << row.line;
}

class ControlLine : public testing::TestWithParam<Command> {};

} // namespace

TEST_P(ControlLine, AnswersAndActs) {
    const Command& command = GetParam();
    Board board;
    EXPECT_EQ(ControlCommand::apply(board, command.line), command.answer);
    EXPECT_TRUE(command.effect(board)) << command.line;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ControlLine,
    testing::Values(
        Command{"set B101 3", "ok", [](Board& b) { return b.memory().byte(101) == 3; }},
        Command{"  set\tB100.4  1 \r\n", "ok",
                [](Board& b) { return b.memory().byte(100) & 0x10; }},
        Command{"set F8 1", "ok", [](Board& b) { return b.memory().byte(33) == 1; }},
        Command{"set D1100 123456789", "ok",
                [](Board& b) {
                    return b.memory().word(1100) == 6789 && b.memory().word(1102) == 12345;
                }},
        Command{"set B101 256", "error bad value",
                [](Board& b) { return b.memory().byte(101) == 0; }},
        Command{"set B101 -1", "error bad value", unchanged},
        Command{"set B101 3x", "error bad value", unchanged},
        Command{"set Q1 1", "error bad address", unchanged},
        Command{"set B101", "error usage: set <address> <value>", unchanged},
        Command{"get W182", "ok 200", unchanged}, Command{"get B1020.0", "ok 0", unchanged},
        Command{"get W", "error bad address", unchanged},
        Command{"speed 250", "ok", [](Board& b) { return b.memory().word(182) == 250; }},
        Command{"speed 65536", "error usage: speed <strokes per minute>",
                [](Board& b) { return b.memory().word(182) == 200; }},
        Command{"wire 19200", "ok", [](Board& b) { return b.faults().wireBaud() == 19200; }},
        Command{"wire 4800", "error usage: wire 0|9600|19200",
                [](Board& b) { return b.faults().wireBaud() == 0; }},
        Command{"fault silence on", "ok",
                [](Board& b) { return b.faults().plan(Fault::Silence).active(); }},
        Command{"fault wrong-ack 2", "ok",
                [](Board& b) {
                    return b.faults().strike(Fault::WrongAcknowledge) &&
                           b.faults().strike(Fault::WrongAcknowledge) &&
                           !b.faults().strike(Fault::WrongAcknowledge);
                }},
        Command{"fault wrong-echo 1 after 2", "ok",
                [](Board& b) {
                    return !b.faults().strike(Fault::WrongEcho) &&
                           !b.faults().strike(Fault::WrongEcho) &&
                           b.faults().strike(Fault::WrongEcho) &&
                           !b.faults().strike(Fault::WrongEcho);
                }},
        Command{"fault line-drop off", "ok",
                [](Board& b) { return !b.faults().plan(Fault::LineDrop).active(); }},
        Command{"fault bogus on", "error unknown fault", unchanged},
        Command{"fault silence 0", "error bad count",
                [](Board& b) { return !b.faults().plan(Fault::Silence).active(); }},
        Command{"fault silence on after 2", "error bad count", unchanged},
        Command{"fault silence", "error usage: fault <name> on|off|<count> [after <count>]",
                unchanged},
        Command{"drop", "ok", [](Board& b) { return b.faults().lineDropped(); }},
        Command{"drop now", "error unknown command",
                [](Board& b) { return !b.faults().lineDropped(); }},
        Command{"", "error empty command", unchanged},
        Command{"frobnicate", "error unknown command", unchanged}));

TEST(ControlCommand, FaultClearSwitchesEveryPlanOff) {
    Board board;
    for (const char* line :
         {"fault silence on", "fault wrong-echo on", "fault wrong-ack 3", "fault pls-not-ready on",
          "fault pls-wrong-ack 2", "fault bad-recall on"})
        ASSERT_EQ(ControlCommand::apply(board, line), "ok");
    EXPECT_EQ(ControlCommand::apply(board, "fault clear"), "ok");
    for (Fault fault : {Fault::Silence, Fault::WrongEcho, Fault::WrongAcknowledge,
                        Fault::PLSNotReady, Fault::PLSWrongAck, Fault::BadRecall})
        EXPECT_FALSE(board.faults().plan(fault).active());
}
