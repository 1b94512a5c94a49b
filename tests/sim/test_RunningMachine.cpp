#include <gtest/gtest.h>

#include <tuple>

#include "Board.h"
#include "ControlCommand.h"
#include "SimAddress.h"

using sim::Board;

namespace {

constexpr std::int64_t Second = 1'000'000;

std::uint32_t value(const Board& board, const char* address) {
    return sim::SimAddress::parse(address)->read(board.memory());
}

} // namespace

TEST(RunningMachine, TurnsAndCountsWithTheStrokes) {
    const struct {
        std::uint16_t speed;
        std::int64_t micros;
        std::uint32_t position, goodCans, shortCans;
    } runs[] = {{200, 150'000, 180, 0, 0}, // half a stroke
                {200, 300'000, 0, 1, 0},   {200, 60 * Second, 0, 200, 0},
                {60, 1'250'000, 90, 1, 0}, {500, 60 * Second, 0, 500, 1},
                {0, 10 * Second, 0, 0, 0}};
    for (const auto& run : runs) {
        SCOPED_TRACE(testing::Message() << run.speed << " spm for " << run.micros << " us");
        Board board;
        board.machine().setSpeed(run.speed);
        board.advanceTo(0);
        board.advanceTo(run.micros);
        EXPECT_EQ(std::tuple(value(board, "W180"), value(board, "D1100"), value(board, "W1104")),
                  std::tuple(run.position, run.goodCans, run.shortCans));
    }
}

TEST(RunningMachine, StartsRunningWithItsDefaults) {
    Board board;
    // Speed, scale, ms per stroke, running.
    EXPECT_EQ(std::tuple(value(board, "W182"), value(board, "W186"), value(board, "W184"),
                         value(board, "B100.0")),
              std::tuple(200u, 360u, 300u, 1u));
}

TEST(RunningMachine, GoodCanCountWrapsAtItsLimit) {
    Board board;
    board.advanceTo(0);
    board.memory().setPair(1100, 655'359'999);
    board.advanceTo(300'000);
    EXPECT_EQ(value(board, "D1100"), 0u);
}

TEST(RunningMachine, SignalsFollowTheCrank) {
    const struct {
        std::uint16_t position, speed;
        std::uint32_t outputs;         // B110
        std::uint32_t period;          // W184
    } rows[] = {{0, 200, 0x83, 300},   // clock
                {355, 200, 0x03, 300}, // running
                {110, 250, 0x07, 240}, // cupfeed
                {230, 200, 0x13, 300}, // air strip
                {110, 0, 0x00, 0}};    // stopped
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "position " << row.position << " speed " << row.speed);
        Board board;
        board.memory().setWord(180, row.position);
        board.machine().setSpeed(row.speed);
        EXPECT_EQ(std::tuple(value(board, "B110"), value(board, "W184"), value(board, "B100.0")),
                  std::tuple(row.outputs, row.period, row.speed != 0 ? 1u : 0u));
    }
}

TEST(MachineModes, StopAndStartMoveTheSpeedThroughZeroAndTheFlywheelOutputsFollow) {
    Board board;
    board.advanceTo(0);
    ASSERT_EQ(sim::ControlCommand::apply(board, "stop"), "ok");
    // Bits 4 and 5 of B111: flywheel at inch speed, at punch speed.
    const std::tuple<std::int64_t, std::uint32_t, std::uint32_t> steps[] = {
        {Second / 2, 100, 0x20}, {Second, 0, 0}, {Second * 5 / 4, 50, 0x10}};
    for (const auto& [at, speed, flywheel] : steps) {
        if (at == Second * 5 / 4)
            sim::ControlCommand::apply(board, "start");
        board.advanceTo(at);
        EXPECT_EQ(value(board, "W182"), speed) << at;
        EXPECT_EQ(value(board, "B111") & 0x30, flywheel) << at;
    }
}
