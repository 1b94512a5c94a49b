#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Board.h"

using sim::Board;
using sim::Fault;
using sim::FaultPlan;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Feeds the bytes one by one at `at` and returns what the line carried.
std::string exchange(Board& board, const std::vector<std::uint8_t>& bytes, Board::Micros at = 0) {
    board.traffic().clear();
    for (std::uint8_t byte : bytes)
        board.receive(byte, at);
    return board.traffic().text();
}

} // namespace

// Each fault spoils exactly the planned replies: bytes in, what the line carried out. (A silent
// board and one wrong handshake acknowledge are in the link watch's rows.)
TEST(BoardFault, SpoilsExactlyThePlannedReplies) {
    const struct {
        const char* name;
        Fault fault;
        FaultPlan plan;
        Bytes bytes;
        const char* wire;
    } cases[] = {
        // The lost high byte is never seen: the low byte is taken as the high one.
        {"SilenceOnThirdByte", Fault::Silence, FaultPlan::next(1, 2),
         Bytes{0xFF, 0x01, 0x04, 0x00, 0x04, 0x00}, "FF/55 01/55 04/- 00/00 04/00 00/00"},
        {"WrongEchoesAlways", Fault::WrongEcho, FaultPlan::always(),
         Bytes{0xFF, 0x02, 0x04, 0x00, 0x2C}, "FF/55 02/55 04/FB 00/FF 2C/D3"},
        {"WrongSecondEchoOnly", Fault::WrongEcho, FaultPlan::next(1, 1),
         Bytes{0xFF, 0x02, 0x04, 0x00, 0x2C}, "FF/55 02/55 04/04 00/FF 2C/2C"},
        {"WrongEchoLeavesDataAlone", Fault::WrongEcho, FaultPlan::always(),
         Bytes{0xFF, 0x01, 0x04, 0x00}, "FF/55 01/55 04/FB 00/77"},
        {"WrongAcknowledgesAlways", Fault::WrongAcknowledge, FaultPlan::always(),
         Bytes{0xFF, 0x01, 0x04, 0x00}, "FF/00 01/00 04/04 00/77"},
        {"LineDropsOnThirdByte", Fault::LineDrop, FaultPlan::next(1, 2),
         Bytes{0xFF, 0x01, 0x04, 0x00}, "FF/55 01/55"},
        // The PLS commands' own faults.
        {"NotReadyForTwoPolls", Fault::PLSNotReady, FaultPlan::next(2),
         Bytes{0xFF, 42, 5, 0, 0x38, 0x55, 0x38, 0x55, 0x38, 0x55, 0x55},
         "FF/55 2A/55 05/55 00/55 38/55 55/55 38/55 55/55 38/55 55/00 55/00"},
        {"NeverReady", Fault::PLSNotReady, FaultPlan::always(),
         Bytes{0xFF, 42, 5, 0, 0x38, 0x55, 0x38, 0x55},
         "FF/55 2A/55 05/55 00/55 38/55 55/55 38/55 55/55"},
        // The refused byte drops the record, so the link's next attention is one.
        {"RefusedByteDropsTheRecordHandshakeKept", Fault::PLSWrongAck, FaultPlan::always(),
         Bytes{0xFF, 27, 3, 0xFF, 24}, "FF/55 1B/55 03/00 FF/55 18/55"},
        {"ReadyQueryNotAcknowledged", Fault::PLSWrongAck, FaultPlan::next(1, 2),
         Bytes{0xFF, 42, 5, 0, 0x38, 0x38, 0x55, 0x55},
         "FF/55 2A/55 05/55 00/55 38/00 38/55 55/00 55/00"},
        {"RecallChannelNotAcknowledged", Fault::PLSWrongAck, FaultPlan::always(), Bytes{0xFF, 6, 1},
         "FF/55 06/55 01/00"},
        {"HandshakeAcknowledgeFaultLeavesThePLSAlone", Fault::WrongAcknowledge,
         FaultPlan::next(1, 2), Bytes{0xFF, 27, 3, 0, 0, 0, 0, 0, 0x38, 0x55, 0x55, 0xFF},
         "FF/55 1B/55 03/55 00/55 00/55 00/55 00/55 00/55 38/55 55/00 55/00 FF/00"},
    };
    for (const auto& c : cases) {
        Board board;
        board.memory().setByte(0x0400, 0x77);
        board.faults().set(c.fault, c.plan);
        EXPECT_EQ(exchange(board, c.bytes), c.wire) << c.name;
    }
}

TEST(PLSCommands, BusyForTheBusyPeriodAfterEachWrite) {
    Board board;
    board.pls().setBusyPeriod(5'000);
    exchange(board, {0xFF, 42, 5, 0}, 1'000'000);
    EXPECT_EQ(exchange(board, {0x38, 0x55, 0x38, 0x55}, 1'004'999), "38/55 55/55 38/55 55/55");
    EXPECT_EQ(exchange(board, {0x38, 0x55, 0x55}, 1'005'000), "38/55 55/00 55/00");
    EXPECT_EQ(board.pls().offset(), 5) << "stored at once; busy only delays the ready answer";
}

TEST(Board, WrongEchoStillStoresTheData) {
    Board board;
    board.faults().set(Fault::WrongEcho, FaultPlan::always());
    exchange(board, {0xFF, 0x02, 0x04, 0x00, 0x2C});
    EXPECT_EQ(board.memory().byte(0x0400), 0x2C);
}

TEST(Board, DroppedLineCarriesNothingUntilRestoredAndOutlivesClearedFaults) {
    Board board;
    board.faults().dropLine();
    EXPECT_FALSE(board.receive(0xFF, 0).has_value());
    EXPECT_TRUE(board.traffic().empty());
    board.faults().restoreLine();
    EXPECT_EQ(board.receive(0xFF, 0), std::optional<std::uint8_t>(0x55));

    // Faults cleared leave the line and the wire alone.
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
