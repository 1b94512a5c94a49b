#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Board.h"
#include "CaseName.h"

using sim::Board;
using sim::Fault;
using sim::FaultPlan;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Feeds the bytes one by one and returns what the line carried.
std::string exchange(Board& board, const std::vector<std::uint8_t>& bytes) {
    board.traffic().clear();
    for (std::uint8_t byte : bytes)
        board.receive(byte, 0);
    return board.traffic().text();
}

struct FaultCase {
    const char* name;
    Fault fault;
    FaultPlan plan;
    Bytes bytes;
    const char* wire;
};

VORNA7_PRINTS_ROW_NAME(FaultCase)

class BoardFault : public testing::TestWithParam<FaultCase> {};

} // namespace

TEST_P(BoardFault, SpoilsExactlyThePlannedReplies) {
    const FaultCase& fault = GetParam();
    Board board;
    board.memory().setByte(0x0400, 0x77);
    board.faults().set(fault.fault, fault.plan);
    EXPECT_EQ(exchange(board, fault.bytes), fault.wire);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BoardFault,
    testing::Values(FaultCase{"SilenceAlways", Fault::Silence, FaultPlan::always(),
                              Bytes{0xFF, 0xFF}, "FF/- FF/-"},
                    // The lost high byte is never seen: the low byte is taken as the high one.
                    FaultCase{"SilenceOnThirdByte", Fault::Silence, FaultPlan::next(1, 2),
                              Bytes{0xFF, 0x01, 0x04, 0x00, 0x04, 0x00},
                              "FF/55 01/55 04/- 00/00 04/00 00/00"},
                    FaultCase{"WrongEchoesAlways", Fault::WrongEcho, FaultPlan::always(),
                              Bytes{0xFF, 0x02, 0x04, 0x00, 0x2C}, "FF/55 02/55 04/FB 00/FF 2C/D3"},
                    FaultCase{"WrongSecondEchoOnly", Fault::WrongEcho, FaultPlan::next(1, 1),
                              Bytes{0xFF, 0x02, 0x04, 0x00, 0x2C}, "FF/55 02/55 04/04 00/FF 2C/2C"},
                    FaultCase{"WrongEchoLeavesDataAlone", Fault::WrongEcho, FaultPlan::always(),
                              Bytes{0xFF, 0x01, 0x04, 0x00}, "FF/55 01/55 04/FB 00/77"},
                    FaultCase{"WrongAcknowledgesAlways", Fault::WrongAcknowledge,
                              FaultPlan::always(), Bytes{0xFF, 0x01, 0x04, 0x00},
                              "FF/00 01/00 04/04 00/77"},
                    FaultCase{"WrongAcknowledgeOnce", Fault::WrongAcknowledge, FaultPlan::next(1),
                              Bytes{0xFF, 0xFF, 0x01}, "FF/00 FF/55 01/55"},
                    FaultCase{"LineDropsOnThirdByte", Fault::LineDrop, FaultPlan::next(1, 2),
                              Bytes{0xFF, 0x01, 0x04, 0x00}, "FF/55 01/55"}),
    CaseName());

TEST(Board, WrongEchoStillStoresTheData) {
    Board board;
    board.faults().set(Fault::WrongEcho, FaultPlan::always());
    exchange(board, {0xFF, 0x02, 0x04, 0x00, 0x2C});
    EXPECT_EQ(board.memory().byte(0x0400), 0x2C);
}

TEST(Board, DroppedLineCarriesNothingUntilRestored) {
    Board board;
    board.faults().dropLine();
    EXPECT_FALSE(board.receive(0xFF, 0).has_value());
    EXPECT_TRUE(board.traffic().empty());
    board.faults().restoreLine();
    EXPECT_EQ(board.receive(0xFF, 0), std::optional<std::uint8_t>(0x55));
}

TEST(Board, FaultsClearedLeaveLineAndWireAlone) {
    Board board;
    board.faults().set(Fault::Silence, FaultPlan::always());
    board.faults().setWireBaud(9600);
    board.faults().dropLine();
    board.faults().clear();
    EXPECT_FALSE(board.faults().plan(Fault::Silence).active());
    EXPECT_TRUE(board.faults().lineDropped());
    EXPECT_EQ(board.faults().wireBaud(), 9600);
}

TEST(FaultPlan, StrikesAfterTheSkippedOccasionsForItsCount) {
    FaultPlan plan = FaultPlan::next(2, 1);
    std::vector<bool> strikes;
    for (int i = 0; i < 5; ++i)
        strikes.push_back(plan.strike());
    EXPECT_EQ(strikes, (std::vector<bool>{false, true, true, false, false}));
    EXPECT_FALSE(plan.active());
    EXPECT_FALSE(FaultPlan::never().active());
}

TEST(BoardFaults, WireTimeIsTenBitsPerByte) {
    sim::BoardFaults faults;
    const struct {
        int baud;
        bool accepted;
        std::int64_t nanos;
    } cases[] = {
        {0, true, 0}, {9600, true, 1'041'666}, {19200, true, 520'833}, {4800, false, 520'833}};
    for (const auto& c : cases) {
        EXPECT_EQ(faults.setWireBaud(c.baud), c.accepted) << c.baud;
        EXPECT_EQ(faults.byteTimeNanos(), c.nanos) << c.baud;
    }
}
