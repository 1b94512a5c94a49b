#include "BoardRig.h"
#include "PLSChannel.h"
#include "QStringPrinter.h"

// Every PLS operation of the link against the simulated board: what the link sends is what
// the board takes in, and what the board holds is what the link reads back.
namespace {

using Kind = sim::PLSChannel::Kind;

const QString CommTitle = QStringLiteral("WARNING - Communication Error!");
const QString ReadyWire = QStringLiteral(" 38/55 55/00 55/00");

class PLSOnBoard : public BoardRigTest {
protected:
    void SetUp() override {
        board.machine().setSpeed(0); // a crank that stays where the test puts it
        goOnline();
    }
    void putCrankAt(std::uint16_t degrees) { board.memory().setWord(180, degrees); }
    // The two recall steps the channel table makes.
    std::vector<std::pair<int, int>> recallTwice(int channel) {
        std::vector<std::pair<int, int>> steps;
        for (int i = 0; i < 2 && link.RecallChannel(channel); ++i)
            steps.emplace_back(link.ChannelRecallState(), link.ChannelRecallPos());
        return steps;
    }
    std::string wireWithReady(const char* bytes) const {
        return (QString::fromLatin1(bytes) + ReadyWire).toStdString();
    }
};

using Steps = std::vector<std::pair<int, int>>;

} // namespace

TEST_F(PLSOnBoard, SingleSetpointWithClearChanClearsThenProgramsAndRecallsBothPoints) {
    ASSERT_TRUE(link.SingleSetpoint(3, 300, 20, true));
    EXPECT_EQ(wire(), "FF/55 18/55 55/68 55/01 "
                      "FF/55 1B/55 03/55 00/55 00/55 00/55 00/55 00/55 38/55 55/00 55/00 "
                      "FF/55 1B/55 03/55 2C/55 01/55 14/55 00/55 01/55 38/55 55/00 55/00");
    const sim::PLSChannel& channel = board.pls().channel(3);
    EXPECT_EQ(channel.kind(), Kind::Setpoints);
    EXPECT_EQ(channel.onSetpoint(), 300);
    EXPECT_EQ(channel.offSetpoint(), 20);

    port.clearWire();
    EXPECT_EQ(recallTwice(3), (Steps{{1, 300}, {0, 20}}));
    EXPECT_EQ(wire(), "FF/55 06/55 03/55 55/01 55/2C 55/01 FF/55 06/55 03/55 55/00 55/14 55/00");
    EXPECT_EQ(link.LinkMode(), 0);
}

TEST_F(PLSOnBoard, ProgrammedChannelSwitchesItsOutputAtTheCrank) {
    putCrankAt(90);
    ASSERT_TRUE(link.SingleSetpoint(1, 80, 100, true));
    EXPECT_EQ(link.RSRead(QStringLiteral("B170.1")), QStringLiteral("1"));
    ASSERT_TRUE(link.SingleSetpoint(1, 100, 80, true));
    EXPECT_EQ(link.RSRead(QStringLiteral("B170.1")), QStringLiteral("0"));
}

TEST_F(PLSOnBoard, PulseTrainIsStoredAndRecallsAsOneStepWithItsStart) {
    ASSERT_TRUE(link.PulseTrain(4, 10, 20, 300));
    const sim::PLSChannel& channel = board.pls().channel(4);
    EXPECT_EQ(channel.kind(), Kind::PulseTrain);
    EXPECT_EQ(channel.start(), 300);
    EXPECT_EQ(channel.onDivisions(), 10);
    EXPECT_EQ(channel.offDivisions(), 20);
    ASSERT_TRUE(link.RecallChannel(4));
    EXPECT_EQ(link.ChannelRecallState(), sim::PLSChannel::PulseTrainState);
    EXPECT_EQ(link.ChannelRecallPos(), 300);
}

TEST_F(PLSOnBoard, RefusedProgrammingLeavesTheBoardAsItWas) {
    EXPECT_FALSE(link.PulseTrain(4, 10, 25, 0));
    EXPECT_FALSE(link.SingleSetpoint(4, 360, 10, true));
    EXPECT_EQ(prompter.count(), 2);
    EXPECT_EQ(wire(), "FF/55 18/55 55/68 55/01 FF/55 18/55 55/68 55/01");
    EXPECT_EQ(recallTwice(4), (Steps{{1, 150}, {0, 350}}));
}

TEST_F(PLSOnBoard, ClearedChannelRecallsAsNeitherOnNorOff) {
    ASSERT_TRUE(link.ClearPLSChan(6));
    EXPECT_EQ(wire(), wireWithReady("FF/55 1B/55 06/55 00/55 00/55 00/55 00/55 00/55"));
    ASSERT_TRUE(link.RecallChannel(6));
    EXPECT_EQ(link.ChannelRecallState(), sim::PLSChannel::ClearedState);
    EXPECT_EQ(link.ChannelRecallPos(), 0);
}

TEST_F(PLSOnBoard, ChannelsTheBoardDoesNotHaveAreNotAcknowledged) {
    ASSERT_TRUE(link.RecallChannel(2));
    EXPECT_FALSE(link.RecallChannel(8));
    EXPECT_EQ(link.ChannelRecallState(), 1) << "the last recall's state stays";
    EXPECT_EQ(link.ChannelRecallPos(), 155);
    EXPECT_FALSE(link.ClearPLSChan(8));
    EXPECT_FALSE(link.CommError);
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(PLSOnBoard, SetPLSOffsetAboveTheScaleIsRefusedAndNothingIsWritten) {
    board.memory().setWord(188, 42);
    EXPECT_FALSE(link.SetPLSOffset(361));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Set PLS Offset"));
    EXPECT_EQ(board.pls().offset(), 42);
    EXPECT_EQ(wire(), "FF/55 28/55 55/2A 55/00 FF/55 48/55 55/3E 55/01 FF/55 18/55 55/68 55/01");
}

TEST_F(PLSOnBoard, PLSThatNeverGetsReadyIsReportedAndLatchesTheFailure) {
    board.faults().setWireBaud(19200);
    board.faults().set(sim::Fault::PLSNotReady, sim::FaultPlan::always());
    EXPECT_FALSE(link.SingleSetpoint(0, 10, 20, true));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, CommTitle);
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("Cannot Determine PLS READY Mode Within Target Board."));
    EXPECT_TRUE(link.CommError);
    EXPECT_EQ(board.pls().channel(0).kind(), Kind::Cleared) << "only the clear got through";
    port.clearWire();
    EXPECT_EQ(link.PLSRpm(), QStringLiteral("-9999"));
    EXPECT_EQ(wire(), "");
}

TEST_F(PLSOnBoard, WrongPLSAcknowledgeFailsTheCommandButNotTheLink) {
    board.faults().set(sim::Fault::PLSWrongAck, sim::FaultPlan::next(1));
    EXPECT_FALSE(link.SingleSetpoint(2, 1, 2));
    EXPECT_EQ(wire(), "FF/55 18/55 55/68 55/01 FF/55 1B/55 02/00");
    EXPECT_FALSE(link.CommError);
    EXPECT_EQ(prompter.count(), 0);

    board.faults().set(sim::Fault::PLSWrongAck, sim::FaultPlan::next(1));
    EXPECT_FALSE(link.PulseTrain(2, 10, 20, 0));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("Error Encountered while Programming Pulse Train.\r\n\r\n"
                             "PLS Channel will not be Programmed."));
    EXPECT_TRUE(link.SingleSetpoint(2, 1, 2)) << "the next command goes through";
}

TEST_F(PLSOnBoard, BadRecallBytesGiveStateTwoAndPositionZero) {
    board.faults().set(sim::Fault::BadRecall, sim::FaultPlan::next(1));
    EXPECT_FALSE(link.RecallChannel(0));
    EXPECT_EQ(link.ChannelRecallState(), 2);
    EXPECT_EQ(link.ChannelRecallPos(), 0);
    EXPECT_FALSE(link.CommError);
    EXPECT_EQ(wire(), "FF/55 06/55 00/55 55/01 55/96 55/11");
}

TEST_F(PLSOnBoard, IdentityBytesOfTheBoard) {
    EXPECT_EQ(link.FirmwareRev(), sim::Board::DefaultFirmwareRevision);
    EXPECT_EQ(link.FaultCode(), 0);
    board.memory().setByte(sim::Board::FaultCodeAddress, 0x5C);
    EXPECT_EQ(link.FaultCode(), 0x5C);
}
