#include <gtest/gtest.h>

#include "Board.h"
#include "ControlCommand.h"
#include "SimAddress.h"

namespace {

constexpr std::int64_t Second = 1'000'000;

std::uint32_t read(const sim::Board& board, const char* address) {
    return sim::SimAddress::parse(address)->read(board.memory());
}

TEST(MachineModes, EndOfShiftFlagRollsTheShiftOnceUntilTheControllerClearsIt) {
    sim::Board board;
    board.machine().setSpeed(0);
    board.memory().setWord(1104, 78);
    board.memory().setPair(1100, 123'456);
    sim::SimAddress::parse("F34")->write(board.memory(), 1);
    board.advanceTo(Second);
    board.memory().setWord(1104, 5);
    board.advanceTo(2 * Second);
    EXPECT_EQ(read(board, "W1204"), 78u);
    EXPECT_EQ(read(board, "D1200"), 123'456u);
    EXPECT_EQ(read(board, "F34"), 1u);
    board.advanceTo(11 * Second);
    EXPECT_EQ(read(board, "F34"), 0u);
    sim::SimAddress::parse("F34")->write(board.memory(), 1);
    board.advanceTo(12 * Second);
    EXPECT_EQ(read(board, "W1204"), 5u);
    EXPECT_EQ(read(board, "W1104"), 0u);
}

TEST(MachineModes, StopAndStartMoveTheSpeedThroughZeroAndTheOutputsFollow) {
    sim::Board board;
    board.memory().setWord(180, 310);
    board.advanceTo(0);
    ASSERT_EQ(sim::ControlCommand::apply(board, "stop"), "ok");
    const struct {
        const char* command;
        std::int64_t at;
        std::uint32_t speed, inchSpeed, punchSpeed;
    } steps[] = {{"", Second / 2, 100, 0, 1},
                 {"", Second, 0, 0, 0},
                 {"start", Second * 5 / 4, 50, 1, 0},
                 {"", 3 * Second, 200, 0, 1}};
    for (const auto& step : steps) {
        if (*step.command) {
            ASSERT_EQ(sim::ControlCommand::apply(board, step.command), "ok");
        }
        board.advanceTo(step.at);
        EXPECT_EQ(read(board, "W182"), step.speed) << step.at;
        EXPECT_EQ(read(board, "B111.4"), step.inchSpeed) << step.at;
        EXPECT_EQ(read(board, "B111.5"), step.punchSpeed) << step.at;
    }
    board.machine().setSpeed(10);
    board.memory().setWord(180, 310);
    board.advanceTo(3 * Second);
    EXPECT_EQ(read(board, "F80"), 1u); // a can passes the short-can sensor
}

} // namespace
