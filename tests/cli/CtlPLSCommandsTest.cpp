#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

#include "ConsolePrompter.h"
#include "CtlCommands.h"
#include "CtlPLSCommands.h"
#include "RSComm.h"
#include "ScriptedPeer.h"
#include "StopSignal.h"
#include "VirtualClock.h"

namespace {

constexpr int Ack = 0x55;
constexpr int None = ScriptedPeer::NoReply;

// The pls and board commands on a link whose far end answers from a script.
class CtlPLSCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        peer.answer({Ack}); // greeting on opening
        link.OpenRSComm(peer);
        ASSERT_TRUE(link.OnlineMode);
        peer.clearWire();
    }

    // The board's side of one PLS word read.
    void word(int value) { peer.answer({Ack, Ack, value & 0xFF, value >> 8}); }
    // A record of `count` acknowledged bytes after its handshake, then ready at once.
    void record(int count) {
        peer.answer({Ack, Ack});
        for (int i = 0; i < count; ++i)
            peer.answer(Ack);
        peer.answer({Ack, 0x00, 0x00});
    }
    void recallStep(int state, int low, int high) {
        peer.answer({Ack, Ack, Ack, state, low, high});
    }
    std::string wire() const { return peer.wire().text(); }

    QTemporaryDir app;
    VirtualClock clock;
    std::ostringstream out;
    std::ostringstream err;
    ConsolePrompter prompter{err, 0};
    ScriptedPeer peer;
    RSComm link{app.path(), clock, prompter};
    CtlPLSCommands pls{link, prompter, out, err};
};

const std::string CannotCommunicate =
    "WARNING - Communication Error!: Cannot Communicate with Target Board. | Verify RS-232 Cable "
    "is Connected Between | COMM Port and PROG Port.\n";

} // namespace

TEST_F(CtlPLSCommandsTest, StatusPrintsTheFourWordsByName) {
    word(360);
    word(10);
    word(200);
    word(150);
    EXPECT_EQ(pls.status(), CtlCommands::Success);
    EXPECT_EQ(out.str(), "scale=360\noffset=10\nposition=200\nrpm=150\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(wire(), "FF/55 18/55 55/68 55/01 FF/55 28/55 55/0A 55/00 "
                      "FF/55 48/55 55/C8 55/00 FF/55 58/55 55/96 55/00");
}

TEST_F(CtlPLSCommandsTest, StatusStopsAtTheWordTheBoardDoesNotAnswer) {
    word(360);
    peer.answer({Ack, Ack, 0x0A, None, None, None});
    EXPECT_EQ(pls.status(), CtlCommands::LinkFailure);
    EXPECT_EQ(out.str(), "scale=360\n");
    EXPECT_EQ(err.str(), CannotCommunicate);
}

TEST_F(CtlPLSCommandsTest, ConfigPrintsNineteenValuesOnOneLine) {
    peer.answer({Ack, Ack});
    for (int i = 0; i < 19; ++i)
        peer.answer(i * 13);
    EXPECT_EQ(pls.config(), CtlCommands::Success);
    EXPECT_EQ(out.str(), "0 13 26 39 52 65 78 91 104 117 130 143 156 169 182 195 208 221 234\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(CtlPLSCommandsTest, ConfigThatBreaksOffPrintsNoValues) {
    peer.answer({Ack, Ack, 1, 2, None, None, None});
    EXPECT_EQ(pls.config(), CtlCommands::LinkFailure);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(),
              CannotCommunicate + "PLS Upload: Not able to Upload Configuration from PLS.\n");
}

TEST_F(CtlPLSCommandsTest, RecallTakesTwoStepsForAnOnOffPair) {
    recallStep(1, 0x2C, 0x01);
    recallStep(0, 0x14, 0x00);
    EXPECT_EQ(pls.recall(5), CtlCommands::Success);
    EXPECT_EQ(out.str(), "1 300\n0 20\n");
    EXPECT_EQ(wire(), "FF/55 06/55 05/55 55/01 55/2C 55/01 FF/55 06/55 05/55 55/00 55/14 55/00");
}

TEST_F(CtlPLSCommandsTest, RecallStopsAfterAStepThatIsNeitherOnNorOff) {
    recallStep(3, 0x05, 0x00);
    EXPECT_EQ(pls.recall(2), CtlCommands::Success);
    EXPECT_EQ(out.str(), "3 5\n");
    EXPECT_EQ(peer.wire().size(), 6u) << "no second step";
}

TEST_F(CtlPLSCommandsTest, RecallWithABadHighByteIsALinkFailure) {
    recallStep(1, 0x2C, 0x01);
    recallStep(0, 0x00, 17);
    EXPECT_EQ(pls.recall(5), CtlCommands::LinkFailure);
    EXPECT_EQ(out.str(), "1 300\n");
    EXPECT_EQ(err.str(), "vorna7ctl: recalling channel 5 failed: the board's answer was not a "
                         "recall\n");
}

TEST_F(CtlPLSCommandsTest, SetClearsThenProgramsTheChannel) {
    word(360);
    record(6);
    record(6);
    EXPECT_EQ(pls.set(7, 10, 20), CtlCommands::Success);
    EXPECT_EQ(wire(), "FF/55 18/55 55/68 55/01 "
                      "FF/55 1B/55 07/55 00/55 00/55 00/55 00/55 00/55 38/55 55/00 55/00 "
                      "FF/55 1B/55 07/55 0A/55 00/55 14/55 00/55 01/55 38/55 55/00 55/00");
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "");
}

TEST_F(CtlPLSCommandsTest, SetThatTheBoardDoesNotAcknowledgeSaysSo) {
    word(360);
    peer.answer({Ack, Ack, 0x00});
    EXPECT_EQ(pls.set(1, 10, 20), CtlCommands::LinkFailure);
    EXPECT_EQ(err.str(), "vorna7ctl: programming channel 1 failed: the board did not "
                         "acknowledge it\n");
}

TEST_F(CtlPLSCommandsTest, PulseTrainTheBoardRefusesGivesOnlyTheLinksMessage) {
    word(360);
    peer.answer({Ack, Ack, 0x00});
    EXPECT_EQ(pls.pulse(4, 10, 20, 300), CtlCommands::LinkFailure);
    EXPECT_EQ(err.str(), "PLS Pulse Train: Error Encountered while Programming Pulse Train. |  | "
                         "PLS Channel will not be Programmed.\n");
}

TEST_F(CtlPLSCommandsTest, ClearAndOffsetWriteTheirRecords) {
    record(6);
    EXPECT_EQ(pls.clear(6), CtlCommands::Success);
    word(350); // offset
    word(20);  // position
    word(360); // scale
    record(2);
    EXPECT_EQ(pls.offset(0), CtlCommands::Success);
    EXPECT_EQ(wire(), "FF/55 1B/55 06/55 00/55 00/55 00/55 00/55 00/55 38/55 55/00 55/00 "
                      "FF/55 28/55 55/5E 55/01 FF/55 48/55 55/14 55/00 FF/55 18/55 55/68 55/01 "
                      "FF/55 2A/55 0A/55 00/55 38/55 55/00 55/00");
    EXPECT_EQ(err.str(), "");
}

namespace {

struct Refusal {
    const char* name;
    std::function<int(CtlPLSCommands&)> run;
    std::vector<int> words; // PLS words the check reads from the board first
    const char* line;
};

void PrintTo(const Refusal& row, std::ostream* out) {
    *out << row.name;
}

class CtlPLSRefusal : public CtlPLSCommandsTest, public testing::WithParamInterface<Refusal> {};

} // namespace

TEST_P(CtlPLSRefusal, ExitsWithOneAndTheLinksMessage) {
    for (int value : GetParam().words)
        word(value);
    EXPECT_EQ(GetParam().run(pls), CtlCommands::Refused);
    EXPECT_EQ(err.str(), std::string(GetParam().line) + "\n");
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(peer.scriptLeft(), 0);
    EXPECT_EQ(wire().find("1B/"), std::string::npos) << "no channel record";
    EXPECT_EQ(wire().find("2A/"), std::string::npos) << "no offset";
}

INSTANTIATE_TEST_SUITE_P(
    Checks, CtlPLSRefusal,
    testing::Values(
        Refusal{"SetpointBeyondScale",
                [](CtlPLSCommands& p) { return p.set(1, 360, 20); },
                {360},
                "PLS Single Setpoint: Setpoint setting 360 is greater than scale factor. |  | "
                "Channel can not be programmed."},
        Refusal{"PulseNotAMultiple",
                [](CtlPLSCommands& p) { return p.pulse(1, 10, 25, 0); },
                {360},
                "PLS Pulse Train: ON Division Plus OFF Division | Must be a Multiple of 360. |  | "
                "PLS Channel will not be Programmed."},
        Refusal{"PulseStartBeyondScale",
                [](CtlPLSCommands& p) { return p.pulse(1, 10, 20, 360); },
                {360},
                "PLS Pulse Train: Start Position Must Not Be Greater Than 359. |  | PLS Channel "
                "will not be Programmed."},
        Refusal{"ClearChannelTooLarge",
                [](CtlPLSCommands& p) { return p.clear(256); },
                {},
                "PLS Clear Channel: Channel 256 is outside 0-255. |  | Nothing was sent to the "
                "board."},
        Refusal{"RecallChannelTooLarge",
                [](CtlPLSCommands& p) { return p.recall(300); },
                {},
                "PLS Recall Channel: Channel 300 is outside 0-255. |  | Nothing was sent to the "
                "board."},
        Refusal{"OffsetAboveScale",
                [](CtlPLSCommands& p) { return p.offset(361); },
                {0, 0, 360},
                "Set PLS Offset: Desired Position cannot be greater than Scale Factor of 360. |  "
                "| PLS Offset will not be Programmed."}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

// ---- board ---------------------------------------------------------------------------------

namespace {

class CtlBoardTest : public CtlPLSCommandsTest {
protected:
    StopSignal stop;
    CtlCommands commands{link, prompter, clock, stop, out, err};

    void writeFaultFile(const QByteArray& content) {
        QDir(app.path()).mkpath(QStringLiteral("Support"));
        QFile file(app.filePath(QStringLiteral("Support/FaultErrCodes.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
};

} // namespace

TEST_F(CtlBoardTest, PrintsFirmwareNameFaultAndDescription) {
    writeFaultFile("5C,\"Brake slow, check wear\"\r\n");
    peer.answer({Ack, Ack, 0x1F, 23, 0x1F, 0x5C}); // B8159 = 23, B8176 = 0x5C
    EXPECT_EQ(commands.board(61), CtlCommands::Success);
    EXPECT_EQ(out.str(), "firmware=23\nboard=K6632(PLC)\nfault=92\n"
                         "description=Fault Code (5CH): Brake slow, check wear\n");
    EXPECT_EQ(wire(), "FF/55 01/55 1F/1F DF/17 1F/1F F0/5C");
    EXPECT_EQ(err.str(), "");
}

TEST_F(CtlBoardTest, WithoutATypeNamesTheLinksBoardTypeWithoutControlCharacters) {
    peer.answer({Ack, Ack, 0x1F, 7, 0x1F, 0});
    EXPECT_EQ(commands.board(std::nullopt), CtlCommands::Success);
    EXPECT_EQ(out.str(), "firmware=7\nboard=\\x00 Is Not Defined.\nfault=0\n"
                         "description=Fault Code (00H): --- Fault File Not Found ---\n");

    out.str("");
    link.TargetboardType = 69;
    peer.answer({0x1F, 7, 0x1F, 0});
    EXPECT_EQ(commands.board(std::nullopt), CtlCommands::Success);
    EXPECT_NE(out.str().find("board=K6674(PLS)\n"), std::string::npos);
}

TEST_F(CtlBoardTest, FaultCodeThatCannotBeReadEndsWithALinkFailure) {
    peer.answer({Ack, Ack, 0x1F, 23, 0x1F, None, None, None});
    EXPECT_EQ(commands.board(49), CtlCommands::LinkFailure);
    EXPECT_EQ(out.str(), "firmware=23\nboard=R2205\n");
    EXPECT_EQ(err.str(), CannotCommunicate);
}

TEST(CtlCommandsPrintable, ShowsControlCharactersAsEscapes) {
    EXPECT_EQ(CtlCommands::printable(QStringLiteral("K6632(PLS)")), QStringLiteral("K6632(PLS)"));
    EXPECT_EQ(CtlCommands::printable(QString(QChar(0)) + QStringLiteral(" Is")),
              QStringLiteral("\\x00 Is"));
    EXPECT_EQ(CtlCommands::printable(QStringLiteral("\x1f\x7f")), QStringLiteral("\\x1f\\x7f"));
}
