#include <gtest/gtest.h>

#include "Board.h"
#include "SimAddress.h"

using sim::Board;
using sim::RunningMachine;

namespace {

constexpr std::int64_t Second = 1'000'000;

std::uint32_t value(const Board& board, const char* address) {
    return sim::SimAddress::parse(address)->read(board.memory());
}

struct MachineRunCase {
    std::uint16_t speed;
    std::int64_t micros;
    std::uint32_t position;
    std::uint32_t goodCans;
    std::uint32_t shortCans;
};

class MachineRun : public testing::TestWithParam<MachineRunCase> {};

} // namespace

TEST_P(MachineRun, TurnsAndCountsWithTheStrokes) {
    const MachineRunCase& run = GetParam();
    Board board;
    board.machine().setSpeed(run.speed);
    board.advanceTo(0);
    board.advanceTo(run.micros);
    EXPECT_EQ(value(board, "W180"), run.position);
    EXPECT_EQ(value(board, "D1100"), run.goodCans);
    EXPECT_EQ(value(board, "W1104"), run.shortCans);
}

INSTANTIATE_TEST_SUITE_P(Strokes, MachineRun,
                         testing::Values(MachineRunCase{200, 150'000, 180, 0, 0}, // half a stroke
                                         MachineRunCase{200, 300'000, 0, 1, 0},
                                         MachineRunCase{200, 60 * Second, 0, 200, 0},
                                         MachineRunCase{60, 1'250'000, 90, 1, 0},
                                         MachineRunCase{500, 60 * Second, 0, 500, 1},
                                         MachineRunCase{0, 10 * Second, 0, 0, 0}));

TEST(RunningMachine, StartsRunningWithItsDefaults) {
    Board board;
    EXPECT_EQ(value(board, "W182"), 200u);
    EXPECT_EQ(value(board, "W186"), 360u);
    EXPECT_EQ(value(board, "W184"), 300u); // ms per stroke
    EXPECT_EQ(value(board, "B100.0"), 1u);
}

TEST(RunningMachine, SmallStepsAddUpLikeOneLargeStep) {
    Board stepped;
    Board jumped;
    stepped.advanceTo(0);
    jumped.advanceTo(0);
    for (std::int64_t t = 0; t <= 7 * Second; t += 1'234)
        stepped.advanceTo(t);
    jumped.advanceTo(7 * Second - 7 * Second % 1'234);
    EXPECT_EQ(value(stepped, "W180"), value(jumped, "W180"));
    EXPECT_EQ(value(stepped, "D1100"), value(jumped, "D1100"));
    EXPECT_EQ(value(stepped, "D1100"), 23u); // 200 spm for just under 7 s
}

TEST(RunningMachine, CarriesOnFromValuesWrittenByTheLine) {
    Board board;
    board.advanceTo(0);
    board.memory().setPair(1100, 9'999);
    board.memory().setWord(180, 90);
    board.memory().setWord(182, 100); // 600 ms per stroke
    board.advanceTo(450'000);
    EXPECT_EQ(value(board, "W180"), 0u);
    EXPECT_EQ(value(board, "D1100"), 10'000u);
    EXPECT_EQ(board.memory().word(1100), 0);
    EXPECT_EQ(board.memory().word(1102), 1);
}

TEST(RunningMachine, GoodCanCountWrapsAtItsLimit) {
    Board board;
    board.advanceTo(0);
    board.memory().setPair(1100, 655'359'999);
    board.advanceTo(300'000);
    EXPECT_EQ(value(board, "D1100"), 0u);
}

TEST(RunningMachine, LeavesAlarmsAndOtherInputsAlone) {
    Board board;
    board.advanceTo(0);
    for (const char* address : {"B101", "B111"})
        sim::SimAddress::parse(address)->write(board.memory(), 0xFF);
    for (const char* address : {"B100.4", "F8", "F4", "B100.7", "B110.5"})
        sim::SimAddress::parse(address)->write(board.memory(), 1);
    for (std::int64_t t = 0; t <= Second; t += 10'000)
        board.advanceTo(t);
    board.machine().setSpeed(0);
    board.advanceTo(2 * Second);
    EXPECT_EQ(value(board, "B101"), 0xFFu);
    EXPECT_EQ(value(board, "B111"), 0xCFu); // stopped: neither at inch nor at punch speed
    for (const char* address : {"B100.4", "F8", "F4", "B100.7", "B110.5"})
        EXPECT_EQ(value(board, address), 1u) << address;
    EXPECT_EQ(value(board, "B100.0"), 0u);
}

namespace {

struct Signals {
    std::uint16_t position;
    std::uint16_t speed;
    std::uint32_t outputs; // B110
    std::uint32_t period;  // W184
};

class MachineSignals : public testing::TestWithParam<Signals> {};

} // namespace

TEST_P(MachineSignals, FollowTheCrank) {
    const Signals& expected = GetParam();
    Board board;
    board.memory().setWord(180, expected.position);
    board.machine().setSpeed(expected.speed);
    EXPECT_EQ(value(board, "B110"), expected.outputs);
    EXPECT_EQ(value(board, "W184"), expected.period);
    EXPECT_EQ(value(board, "B100.0"), expected.speed != 0 ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Crank, MachineSignals,
                         testing::Values(Signals{0, 200, 0x83, 300},   // clock
                                         Signals{355, 200, 0x03, 300}, // running
                                         Signals{110, 250, 0x07, 240}, // cupfeed
                                         Signals{230, 200, 0x13, 300}, // air strip
                                         Signals{110, 0, 0x00, 0}));   // stopped
