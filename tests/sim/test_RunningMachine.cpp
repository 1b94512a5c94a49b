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

[[maybe_unused]] void PrintTo(const MachineRunCase& row, std::ostream* out) {
    *out << row.speed << " spm for " << row.micros << " us";
}

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

TEST(RunningMachine, GoodCanCountWrapsAtItsLimit) {
    Board board;
    board.advanceTo(0);
    board.memory().setPair(1100, 655'359'999);
    board.advanceTo(300'000);
    EXPECT_EQ(value(board, "D1100"), 0u);
}

namespace {

struct Signals {
    std::uint16_t position;
    std::uint16_t speed;
    std::uint32_t outputs; // B110
    std::uint32_t period;  // W184
};

[[maybe_unused]] void PrintTo(const Signals& row, std::ostream* out) {
    *out << "position " << row.position << " speed " << row.speed;
}

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
