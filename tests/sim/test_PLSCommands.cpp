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

std::string carry(Board& board, const std::vector<std::uint8_t>& bytes, Board::Micros at = 0) {
    board.traffic().clear();
    for (std::uint8_t byte : bytes)
        board.receive(byte, at);
    return board.traffic().text();
}

} // namespace

TEST(PLSCommands, BusyForTheBusyPeriodAfterEachWrite) {
    Board board;
    board.pls().setBusyPeriod(5'000);
    carry(board, {0xFF, 42, 5, 0}, 1'000'000);
    EXPECT_EQ(carry(board, {0x38, 0x55, 0x38, 0x55}, 1'004'999), "38/55 55/55 38/55 55/55");
    EXPECT_EQ(carry(board, {0x38, 0x55, 0x55}, 1'005'000), "38/55 55/00 55/00");
    EXPECT_EQ(board.pls().offset(), 5) << "stored at once; busy only delays the ready answer";
}

namespace {

struct PLSFaultCase {
    const char* name;
    Fault fault;
    FaultPlan plan;
    Bytes bytes;
    std::string wire;
};

VORNA7_PRINTS_ROW_NAME(PLSFaultCase)

class PLSFault : public testing::TestWithParam<PLSFaultCase> {};

} // namespace

TEST_P(PLSFault, SpoilsOnlyWhatIsPlanned) {
    const PLSFaultCase& fault = GetParam();
    Board board;
    board.faults().set(fault.fault, fault.plan);
    EXPECT_EQ(carry(board, fault.bytes), fault.wire);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PLSFault,
    testing::Values(
        PLSFaultCase{"NotReadyForTwoPolls", Fault::PLSNotReady, FaultPlan::next(2),
                     Bytes{0xFF, 42, 5, 0, 0x38, 0x55, 0x38, 0x55, 0x38, 0x55, 0x55},
                     "FF/55 2A/55 05/55 00/55 38/55 55/55 38/55 55/55 38/55 55/00 55/00"},
        PLSFaultCase{"NeverReady", Fault::PLSNotReady, FaultPlan::always(),
                     Bytes{0xFF, 42, 5, 0, 0x38, 0x55, 0x38, 0x55},
                     "FF/55 2A/55 05/55 00/55 38/55 55/55 38/55 55/55"},
        // The refused byte drops the record, so the link's next attention is one.
        PLSFaultCase{"RefusedByteDropsTheRecordHandshakeKept", Fault::PLSWrongAck,
                     FaultPlan::always(), Bytes{0xFF, 27, 3, 0xFF, 24},
                     "FF/55 1B/55 03/00 FF/55 18/55"},
        PLSFaultCase{"ReadyQueryNotAcknowledged", Fault::PLSWrongAck, FaultPlan::next(1, 2),
                     Bytes{0xFF, 42, 5, 0, 0x38, 0x38, 0x55, 0x55},
                     "FF/55 2A/55 05/55 00/55 38/00 38/55 55/00 55/00"},
        PLSFaultCase{"RecallChannelNotAcknowledged", Fault::PLSWrongAck, FaultPlan::always(),
                     Bytes{0xFF, 6, 1}, "FF/55 06/55 01/00"},
        PLSFaultCase{"HandshakeAcknowledgeFaultLeavesThePLSAlone", Fault::WrongAcknowledge,
                     FaultPlan::next(1, 2),
                     Bytes{0xFF, 27, 3, 0, 0, 0, 0, 0, 0x38, 0x55, 0x55, 0xFF},
                     "FF/55 1B/55 03/55 00/55 00/55 00/55 00/55 00/55 38/55 55/00 55/00 FF/00"}),
    CaseName());
