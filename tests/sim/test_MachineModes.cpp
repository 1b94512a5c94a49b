#include <gtest/gtest.h>

#include "Board.h"
#include "ControlCommand.h"
#include "SimAddress.h"

using sim::Board;

namespace {

constexpr std::int64_t Second = 1'000'000;

std::uint32_t read(const Board& board, const char* address) {
    return sim::SimAddress::parse(address)->read(board.memory());
}

TEST(MachineModes, EndOfShiftFlagRollsTheCurrentShiftIntoTheLastOne) {
    Board board;
    board.machine().setSpeed(0);
    board.memory().setPair(1100, 123'456);
    board.memory().setWord(1104, 78);
    sim::SimAddress::parse("F34")->write(board.memory(), 1);
    board.advanceTo(Second);
    board.memory().setWord(1104, 5); // counted after the roll; the flag still stands
    board.advanceTo(2 * Second);
    EXPECT_EQ(read(board, "D1200"), 123'456u);
    EXPECT_EQ(read(board, "W1204"), 78u);
    EXPECT_EQ(read(board, "D1100"), 0u);
    EXPECT_EQ(read(board, "W1104"), 5u);
    EXPECT_EQ(read(board, "F34"), 1u);
    board.advanceTo(11 * Second); // cleared by the controller: the next shift can close
    EXPECT_EQ(read(board, "F34"), 0u);
    sim::SimAddress::parse("F34")->write(board.memory(), 1);
    board.advanceTo(12 * Second);
    EXPECT_EQ(read(board, "W1204"), 5u);
}

TEST(MachineModes, StopAndStartMoveTheSpeedThroughZero) {
    Board board;
    board.advanceTo(0);
    ASSERT_EQ(sim::ControlCommand::apply(board, "stop"), "ok");
    const std::pair<std::int64_t, std::uint32_t> stopping[] = {{Second / 2, 100}, {Second, 0}};
    for (const auto& [at, speed] : stopping) {
        board.advanceTo(at);
        EXPECT_EQ(read(board, "W182"), speed) << at;
    }
    ASSERT_EQ(sim::ControlCommand::apply(board, "start"), "ok");
    board.advanceTo(Second + Second / 4);
    EXPECT_EQ(read(board, "W182"), 50u);
    board.advanceTo(3 * Second);
    EXPECT_EQ(read(board, "W182"), 200u);
}

TEST(MachineModes, FlywheelOutputsAndTheShortCanSensorFollowTheMachine) {
    const struct {
        std::uint16_t speed, position;
        std::uint32_t inchSpeed, punchSpeed, sensor;
    } cases[] = {{0, 310, 0, 0, 0}, {50, 310, 1, 0, 1}, {51, 100, 0, 1, 0}};
    for (const auto& c : cases) {
        Board board;
        board.memory().setWord(180, c.position);
        board.machine().setSpeed(c.speed);
        EXPECT_EQ(read(board, "F80"), c.sensor) << c.speed;
        EXPECT_EQ(read(board, "B111.4"), c.inchSpeed) << c.speed;
        EXPECT_EQ(read(board, "B111.5"), c.punchSpeed) << c.speed;
    }
}

} // namespace
