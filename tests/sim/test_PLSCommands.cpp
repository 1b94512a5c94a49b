#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Board.h"

using sim::Board;
using sim::Fault;
using sim::FaultPlan;
using sim::PLSChannel;

namespace {

std::string carry(Board& board, const std::vector<std::uint8_t>& bytes, Board::Micros at = 0) {
    board.traffic().clear();
    for (std::uint8_t byte : bytes)
        board.receive(byte, at);
    return board.traffic().text();
}

// The READY exchange of a PLS that is ready at once.
const std::vector<std::uint8_t> Ready = {0x38, 0x55, 0x55};
const std::string ReadyWire = " 38/55 55/00 55/00";

std::vector<std::uint8_t> operator+(std::vector<std::uint8_t> bytes,
                                    const std::vector<std::uint8_t>& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return bytes;
}

struct PLSSequence {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string wire;
    std::function<bool(const Board&)> after;
};

bool anything(const Board&) {
    return true;
}
bool channelIs(const Board& board, int index, PLSChannel::Kind kind, int a, int b) {
    const PLSChannel& channel = board.pls().channel(index);
    if (channel.kind() != kind)
        return false;
    if (kind == PLSChannel::Kind::PulseTrain)
        return channel.start() == a && channel.onDivisions() == (b & 0xFF) &&
               channel.offDivisions() == (b >> 8);
    return channel.onSetpoint() == a && channel.offSetpoint() == b;
}
// As a fresh board holds it.
bool channelUntouched(const Board& board, int index) {
    Board fresh;
    return channelIs(board, index, PLSChannel::Kind::Setpoints,
                     fresh.pls().channel(index).onSetpoint(),
                     fresh.pls().channel(index).offSetpoint());
}

class PLSCommandBytes : public testing::TestWithParam<PLSSequence> {};

} // namespace

TEST_P(PLSCommandBytes, AnswerByteForByte) {
    const PLSSequence& sequence = GetParam();
    Board board;
    EXPECT_EQ(carry(board, sequence.bytes), sequence.wire);
    EXPECT_TRUE(sequence.after(board));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, PLSCommandBytes,
    testing::Values(
        PLSSequence{"OffsetWriteEndsWithReady",
                    std::vector<std::uint8_t>{0xFF, 42, 0x0A, 0x01} + Ready,
                    "FF/55 2A/55 0A/55 01/55" + ReadyWire,
                    [](const Board& b) { return b.pls().offset() == 266; }},
        PLSSequence{"OffsetOfAWholeRevolutionIsRefused",
                    {0xFF, 42, 0x68, 0x01},
                    "FF/55 2A/55 68/55 01/00",
                    [](const Board& b) { return b.pls().offset() == 0; }},
        PLSSequence{"ScaleWriteEndsWithReady",
                    std::vector<std::uint8_t>{0xFF, 26, 0xD0, 0x02} + Ready,
                    "FF/55 1A/55 D0/55 02/55" + ReadyWire,
                    [](const Board& b) { return b.pls().scale() == 720; }},
        PLSSequence{"ScaleOfZeroIsRefused",
                    {0xFF, 26, 0x00, 0x00},
                    "FF/55 1A/55 00/55 00/00",
                    [](const Board& b) { return b.pls().scale() == 360; }},
        PLSSequence{
            "AttentionInsideARecordIsData",
            std::vector<std::uint8_t>{0xFF, 27, 0, 0xFF, 0x00, 0x00, 0x01, 1} + Ready,
            "FF/55 1B/55 00/55 FF/55 00/55 00/55 01/55 01/55" + ReadyWire,
            [](const Board& b) { return channelIs(b, 0, PLSChannel::Kind::Setpoints, 255, 256); }},
        PLSSequence{"SetpointBeyondTheScaleIsRefusedAtTheLastByte",
                    {0xFF, 27, 3, 0x68, 0x01, 0x00, 0x00, 1},
                    "FF/55 1B/55 03/55 68/55 01/55 00/55 00/55 01/00",
                    [](const Board& b) { return channelUntouched(b, 3); }},
        PLSSequence{"UnknownChannelIsRefusedAtOnce", {0xFF, 27, 8}, "FF/55 1B/55 08/00", anything},
        PLSSequence{"PulseTrainThatDoesNotDivideTheScaleIsRefused",
                    {0xFF, 43, 4, 0, 0, 10, 25, 0},
                    "FF/55 2B/55 04/55 00/55 00/55 0A/55 19/55 00/00",
                    [](const Board& b) { return channelUntouched(b, 4); }},
        PLSSequence{
            "ConfigurationGroup", std::vector<std::uint8_t>{0xFF, 75, 7, 8, 9, 10, 11, 12} + Ready,
            "FF/55 4B/55 07/55 08/55 09/55 0A/55 0B/55 0C/55" + ReadyWire,
            [](const Board& b) {
                const auto& config = b.pls().config();
                return config[5] == 0 && config[6] == 7 && config[11] == 12 && config[12] == 0;
            }},
        PLSSequence{"ConfigurationReadOfAFreshBoard",
                    std::vector<std::uint8_t>{0xFF, 12} + std::vector<std::uint8_t>(19, 0x55),
                    "FF/55 0C/55 55/08 55/00 55/00 55/00 55/00 55/00 55/00 55/00 55/00 55/00 "
                    "55/00 55/00 55/00 55/00 55/00 55/00 55/00 55/00 55/00",
                    anything},
        PLSSequence{"RecallOfAnUnknownChannel", {0xFF, 6, 8}, "FF/55 06/55 08/00", anything},
        PLSSequence{"ReadyAskedAgainIsAcknowledgedAgain",
                    {0xFF, 42, 5, 0, 0x38, 0x38, 0x55, 0x38, 0x55, 0x55},
                    "FF/55 2A/55 05/55 00/55 38/55 38/55 55/00 38/55 55/00 55/00",
                    anything},
        PLSSequence{"AttentionAfterReadyStartsTheNextCommand",
                    std::vector<std::uint8_t>{0xFF, 42, 5, 0} + Ready +
                        std::vector<std::uint8_t>{0xFF, 40, 0x55, 0x55},
                    "FF/55 2A/55 05/55 00/55" + ReadyWire + " FF/55 28/55 55/05 55/00", anything}),
    [](const testing::TestParamInfo<PLSSequence>& info) { return std::string(info.param.name); });

TEST(PLSCommands, RecallStartsAtTheOnPointAgainAfterProgramming) {
    Board board;
    const std::vector<std::uint8_t> recall = {0xFF, 6, 1, 0x55, 0x55, 0x55};
    carry(board, recall);
    EXPECT_EQ(carry(board, recall), "FF/55 06/55 01/55 55/00 55/DC 55/00"); // OFF 220
    carry(board, std::vector<std::uint8_t>{0xFF, 27, 1, 10, 0, 20, 0, 1} + Ready);
    EXPECT_EQ(carry(board, recall), "FF/55 06/55 01/55 55/01 55/0A 55/00");
    EXPECT_EQ(carry(board, recall), "FF/55 06/55 01/55 55/00 55/14 55/00");
}

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
    std::vector<std::uint8_t> bytes;
    std::string wire;
};

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
        PLSFaultCase{"NotReadyForTwoPolls",
                     Fault::PLSNotReady,
                     FaultPlan::next(2),
                     {0xFF, 42, 5, 0, 0x38, 0x55, 0x38, 0x55, 0x38, 0x55, 0x55},
                     "FF/55 2A/55 05/55 00/55 38/55 55/55 38/55 55/55 38/55 55/00 55/00"},
        PLSFaultCase{"NeverReady",
                     Fault::PLSNotReady,
                     FaultPlan::always(),
                     {0xFF, 42, 5, 0, 0x38, 0x55, 0x38, 0x55},
                     "FF/55 2A/55 05/55 00/55 38/55 55/55 38/55 55/55"},
        // The refused byte drops the record, so the link's next attention is one.
        PLSFaultCase{"RefusedByteDropsTheRecordHandshakeKept",
                     Fault::PLSWrongAck,
                     FaultPlan::always(),
                     {0xFF, 27, 3, 0xFF, 24},
                     "FF/55 1B/55 03/00 FF/55 18/55"},
        PLSFaultCase{"ReadyQueryNotAcknowledged",
                     Fault::PLSWrongAck,
                     FaultPlan::next(1, 2),
                     {0xFF, 42, 5, 0, 0x38, 0x38, 0x55, 0x55},
                     "FF/55 2A/55 05/55 00/55 38/00 38/55 55/00 55/00"},
        PLSFaultCase{"RecallChannelNotAcknowledged",
                     Fault::PLSWrongAck,
                     FaultPlan::always(),
                     {0xFF, 6, 1},
                     "FF/55 06/55 01/00"},
        PLSFaultCase{"HandshakeAcknowledgeFaultLeavesThePLSAlone", Fault::WrongAcknowledge,
                     FaultPlan::next(1, 2),
                     std::vector<std::uint8_t>{0xFF, 27, 3, 0, 0, 0, 0, 0} + Ready +
                         std::vector<std::uint8_t>{0xFF},
                     "FF/55 1B/55 03/55 00/55 00/55 00/55 00/55 00/55" + ReadyWire + " FF/00"}),
    [](const testing::TestParamInfo<PLSFaultCase>& info) { return std::string(info.param.name); });
