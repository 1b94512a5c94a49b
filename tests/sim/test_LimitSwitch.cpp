#include <gtest/gtest.h>

#include "Board.h"

using sim::Board;
using sim::LimitSwitch;
using sim::PLSChannel;

namespace {

struct Placement {
    std::uint16_t crank; // degrees
    std::uint16_t scale;
    std::uint16_t offset;
    std::uint16_t position;
};

void PrintTo(const Placement& row, std::ostream* out) {
    *out << row.crank << "deg/" << row.scale << "-" << row.offset;
}

class PLSPosition : public testing::TestWithParam<Placement> {
protected:
    void place(Board& board, const Placement& row) {
        board.memory().setWord(180, row.crank);
        ASSERT_TRUE(board.pls().setScale(row.scale));
        board.memory().setWord(LimitSwitch::OffsetAddress, row.offset);
    }
};

} // namespace

TEST_P(PLSPosition, IsTheCrankInDivisionsLessTheOffset) {
    Board board;
    place(board, GetParam());
    EXPECT_EQ(board.pls().position(), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Placements, PLSPosition,
                         testing::Values(Placement{0, 360, 0, 0}, Placement{90, 360, 0, 90},
                                         Placement{90, 360, 100, 350}, Placement{359, 360, 359, 0},
                                         Placement{180, 720, 0, 360}, Placement{90, 100, 0, 25},
                                         Placement{45, 8, 7, 2}, Placement{400, 360, 0, 40},
                                         Placement{10, 360, 1000, 90}, // offset set from memory
                                         Placement{359, 4352, 0, 4339}));

namespace {

struct OutputCase {
    std::uint16_t crank;
    std::uint8_t outputs; // B170 with the channels a fresh board holds
};

[[maybe_unused]] void PrintTo(const OutputCase& row, std::ostream* out) {
    *out << "crank " << row.crank;
}

class PLSOutputs : public testing::TestWithParam<OutputCase> {};

} // namespace

TEST_P(PLSOutputs, ShowTheChannelsAtTheCrankInB170) {
    Board board;
    board.memory().setWord(180, GetParam().crank);
    board.advanceTo(0);
    EXPECT_EQ(board.memory().byte(170), GetParam().outputs);
}

// Fresh channels: 150-170, 200-220, 155-175, 110-130, 150-350, 150-200, 120-190, 180-0.
INSTANTIATE_TEST_SUITE_P(Crank, PLSOutputs,
                         testing::Values(OutputCase{0, 0x00}, OutputCase{120, 0x48},
                                         OutputCase{160, 0x75}, OutputCase{210, 0x92},
                                         OutputCase{350, 0x80}, OutputCase{359, 0x80}));
