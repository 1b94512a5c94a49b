#include <gtest/gtest.h>

#include "Board.h"
#include "ControlCommand.h"
#include "SimAddress.h"

namespace {

constexpr std::int64_t Second = 1'000'000;

std::uint32_t read(const sim::Board& board, const char* address) {
    return sim::SimAddress::parse(address)->read(board.memory());
}

TEST(MachineModes, StopAndStartMoveTheSpeedThroughZeroAndTheFlywheelOutputsFollow) {
    sim::Board board;
    board.advanceTo(0);
    ASSERT_EQ(sim::ControlCommand::apply(board, "stop"), "ok");
    // Bits 4 and 5 of B111: flywheel at inch speed, at punch speed.
    const std::tuple<std::int64_t, std::uint32_t, std::uint32_t> steps[] = {
        {Second / 2, 100, 0x20}, {Second, 0, 0}, {Second * 5 / 4, 50, 0x10}};
    for (const auto& [at, speed, flywheel] : steps) {
        if (at == Second * 5 / 4)
            sim::ControlCommand::apply(board, "start");
        board.advanceTo(at);
        EXPECT_EQ(read(board, "W182"), speed) << at;
        EXPECT_EQ(read(board, "B111") & 0x30, flywheel) << at;
    }
}

} // namespace
