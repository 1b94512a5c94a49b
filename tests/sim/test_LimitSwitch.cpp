#include <gtest/gtest.h>

#include "Board.h"

using sim::Board;
using sim::LimitSwitch;

TEST(PLSPosition, IsTheCrankInDivisionsLessTheOffset) {
    const struct {
        std::uint16_t crank; // degrees
        std::uint16_t scale, offset, position;
    } rows[] = {{0, 360, 0, 0},      {90, 360, 0, 90}, {90, 360, 100, 350}, {359, 360, 359, 0},
                {180, 720, 0, 360},  {90, 100, 0, 25}, {45, 8, 7, 2},       {400, 360, 0, 40},
                {10, 360, 1000, 90}, // offset set from memory
                {359, 4352, 0, 4339}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.crank << "deg/" << row.scale << "-" << row.offset);
        Board board;
        board.memory().setWord(180, row.crank);
        ASSERT_TRUE(board.pls().setScale(row.scale));
        board.memory().setWord(LimitSwitch::OffsetAddress, row.offset);
        EXPECT_EQ(board.pls().position(), row.position);
    }
}

// Fresh channels: 150-170, 200-220, 155-175, 110-130, 150-350, 150-200, 120-190, 180-0.
TEST(PLSOutputs, ShowTheChannelsAtTheCrankInB170) {
    const std::pair<std::uint16_t, std::uint8_t> rows[] = {{0, 0x00},   {120, 0x48}, {160, 0x75},
                                                           {210, 0x92}, {350, 0x80}, {359, 0x80}};
    for (const auto& [crank, outputs] : rows) {
        Board board;
        board.memory().setWord(180, crank);
        board.advanceTo(0);
        EXPECT_EQ(board.memory().byte(170), outputs) << "crank " << crank;
    }
}
