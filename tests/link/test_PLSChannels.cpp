#include <functional>
#include <gtest/gtest.h>
#include <tuple>

#include "BoardRig.h"
#include "PLSChannel.h"
#include "QStringPrinter.h"

namespace {

constexpr int Ack = BoardRig::Ack;
constexpr int None = BoardRig::None;
using Shown = ScriptedPrompter::Shown;

// The PLS on a scripted peer: each test says exactly what the board answers.
class PLSFixture : public PeerRigTest {
protected:
    void SetUp() override { goOnline(); }

    // The board's side of a handshake with `command`.
    void handshake() { port.answer({Ack, Ack}); }
    void word(int value) {
        handshake();
        port.answer({value & 0xFF, (value >> 8) & 0xFF});
    }
    void acknowledged(int count) {
        for (int i = 0; i < count; ++i)
            port.answer(Ack);
    }
    void ready() { port.answer({Ack, 0x00, 0x00}); }
};

} // namespace

// ---- Words ---------------------------------------------------------------------------------

TEST_F(PLSFixture, WordsAreReadWithTwoPollsLowByteFirst) {
    struct Case {
        QString (RSComm::*read)();
        const char* command;
    } cases[] = {
        {&RSComm::PLSScaleFactor, "18"},
        {&RSComm::PLSOffset, "28"},
        {&RSComm::PLSPos, "48"},
        {&RSComm::PLSRpm, "58"},
    };
    for (const Case& c : cases) {
        port.clearWire();
        word(360);
        EXPECT_EQ((link.*c.read)(), QStringLiteral("360"));
        EXPECT_EQ(wire(), std::string("FF/55 ") + c.command + "/55 55/68 55/01");
        EXPECT_EQ(link.LinkMode(), 0) << "every PLS command redoes the handshake";
    }
}

// Once the link has failed, word reads fail at once without a byte or a message.
TEST_F(PLSFixture, WordReadWhosePollGoesUnansweredGivesMinus9999) {
    handshake();
    port.answer({0x68, None, None, None});
    EXPECT_EQ(link.PLSScaleFactor(), QStringLiteral("-9999"));
    EXPECT_TRUE(link.CommError);
    EXPECT_EQ(prompter.count(), 1);
    port.clearWire();
    EXPECT_EQ(link.PLSRpm(), QStringLiteral("-9999"));
    EXPECT_EQ(link.PLSScaleFactor(), QStringLiteral("-9999"));
    EXPECT_EQ(wire(), "");
    EXPECT_EQ(prompter.count(), 1);
}

// ---- Checks before a channel is programmed ----------------------------------------------

// What a check ends in: no title when the record goes out. Only values a record can carry
// cost a scale factor read (of 360) first.
struct Outcome {
    QString title, text;
    bool readsScale = true;
};
const Outcome Accepted;
Outcome beyondScale(int setpoint) {
    return {"PLS Single Setpoint", QStringLiteral("Setpoint setting %1 is greater than scale "
                                                  "factor.\r\n\r\nChannel can not be programmed.")
                                       .arg(setpoint)};
}
Outcome pulseRefused(const char* problem) {
    return {"PLS Pulse Train",
            problem + QStringLiteral("\r\n\r\nPLS Channel will not be Programmed.")};
}
Outcome unsendable(const char* title, const char* what) {
    return {title, what + QStringLiteral("\r\n\r\nNothing was sent to the board."), false};
}

struct Check {
    const char* name;
    std::function<bool(RSComm&)> call;
    Outcome outcome;
};

// The documented edges of the setpoint and pulse-train checks, in their order, and values a
// byte or word cannot carry (refused before anything is sent).
const Check checks[] = {
    {"SetpointAtScaleLessOne", [](RSComm& l) { return l.SingleSetpoint(1, 359, 0); }, Accepted},
    {"OnSetpointAtScale", [](RSComm& l) { return l.SingleSetpoint(1, 360, 0); }, beyondScale(360)},
    // Refused before the channel is cleared, too.
    {"OffSetpointAtScaleWithClear", [](RSComm& l) { return l.SingleSetpoint(1, 0, 360, true); },
     beyondScale(360)},
    {"OnSetpointNamedFirst", [](RSComm& l) { return l.SingleSetpoint(1, 400, 365); },
     beyondScale(400)},
    {"PulseStartAtScaleLessOne", [](RSComm& l) { return l.PulseTrain(2, 10, 20, 359); }, Accepted},
    {"PulseOn255", [](RSComm& l) { return l.PulseTrain(2, 255, 105, 0); }, Accepted},
    {"PulseOnZero", [](RSComm& l) { return l.PulseTrain(2, 0, 360, 0); },
     pulseRefused("ON Division and OFF Division Must be Greater Than 0.")},
    {"PulseOffZeroBeforeStart", [](RSComm& l) { return l.PulseTrain(2, 10, 0, 400); },
     pulseRefused("ON Division and OFF Division Must be Greater Than 0.")},
    {"PulseNotAMultiple", [](RSComm& l) { return l.PulseTrain(2, 10, 25, 0); },
     pulseRefused("ON Division Plus OFF Division\r\nMust be a Multiple of 360.")},
    {"PulseOn256", [](RSComm& l) { return l.PulseTrain(2, 256, 104, 0); },
     pulseRefused("ON Division or OFF Division Must be Less Than 255.")},
    {"PulseStartAtScale", [](RSComm& l) { return l.PulseTrain(2, 10, 20, 360); },
     pulseRefused("Start Position Must Not Be Greater Than 359.")},
    {"ClearChannel256", [](RSComm& l) { return l.ClearPLSChan(256); },
     unsendable("PLS Clear Channel", "Channel 256 is outside 0-255.")},
    {"RecallChannelMinus1", [](RSComm& l) { return l.RecallChannel(-1); },
     unsendable("PLS Recall Channel", "Channel -1 is outside 0-255.")},
    {"NegativeOnDivision", [](RSComm& l) { return l.PulseTrain(1, -10, 20, 0); },
     unsendable("PLS Pulse Train", "ON Division -10 is outside 0-65535.")},
    {"NegativeSetpoint", [](RSComm& l) { return l.SingleSetpoint(1, -5, 2); },
     unsendable("PLS Single Setpoint", "Setpoint setting -5 is outside 0-65535.")},
    {"ConfigValueAboveAByte",
     [](RSComm& l) {
         QVector<int> config(24, 1);
         config[17] = 300;
         return l.PLSConfigDownload(config, 360);
     },
     unsendable("PLS Configuration Download", "Configuration value 17 = 300 is outside 0-255.")},
    {"ConfigTooShort", [](RSComm& l) { return l.PLSConfigDownload(QVector<int>(23, 1), 360); },
     unsendable("PLS Configuration Download",
                "24 configuration values are needed, 23 were given.")},
};

TEST_F(PLSFixture, ChecksAcceptOrRefuseWithTheExactMessage) {
    for (const Check& check : checks) {
        SCOPED_TRACE(check.name);
        prompter.clear();
        port.clearWire();
        const bool accepted = check.outcome.title.isEmpty();
        if (check.outcome.readsScale)
            word(360);
        if (accepted) {
            handshake();
            acknowledged(6);
            ready();
        }
        EXPECT_EQ(check.call(link), accepted);
        if (accepted) {
            EXPECT_EQ(prompter.count(), 0);
            continue;
        }
        ASSERT_EQ(prompter.count(), 1);
        EXPECT_EQ(prompter.lastShown(), Shown(check.outcome.title, check.outcome.text,
                                              Prompter::Icon::Exclamation, Prompter::Buttons::OK));
        EXPECT_EQ(wire(), check.outcome.readsScale ? "FF/55 18/55 55/68 55/01" : "")
            << "no record is sent";
    }
}

// ---- Pulse trains --------------------------------------------------------------------------

TEST_F(PLSFixture, PulseTrainThatTheBoardRefusesIsReported) {
    word(360);
    handshake();
    port.answer({Ack, Ack, 0x00});
    EXPECT_FALSE(link.PulseTrain(4, 10, 20, 300));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.lastShown(),
              Shown("PLS Pulse Train",
                    "Error Encountered while Programming Pulse Train.\r\n\r\nPLS Channel will "
                    "not be Programmed.",
                    Prompter::Icon::Information, Prompter::Buttons::OK));
    EXPECT_EQ(wire(), "FF/55 18/55 55/68 55/01 FF/55 2B/55 04/55 2C/55 01/00")
        << "a wrong acknowledge ends the record";
}

// ---- PLS READY -----------------------------------------------------------------------------

TEST_F(PLSFixture, BusyBoardIsAskedForThreeSecondsThenTheUserDecides) {
    handshake();
    acknowledged(6);
    port.answerRest(Ack); // busy for ever
    const Clock::Micros start = clock.now();
    Clock::Micros askedAt = 0;
    prompter.onAsk([&](const ScriptedPrompter::Message&) { askedAt = clock.now(); });
    EXPECT_FALSE(link.ClearPLSChan(1));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.lastShown(),
              Shown("WARNING - Communication Error!",
                    "Cannot Determine PLS READY Mode Within Target Board.",
                    Prompter::Icon::Critical, Prompter::Buttons::RetryCancel));
    EXPECT_GT(askedAt - start, 3'000'000);
    EXPECT_LT(askedAt - start, 3'010'000);
    EXPECT_TRUE(link.CommError);
    EXPECT_EQ(wire().substr(0, 71),
              "FF/55 1B/55 01/55 00/55 00/55 00/55 00/55 00/55 38/55 55/55 38/55 55/55");
}

TEST_F(PLSFixture, ReadyAfterRetryCompletesTheWrite) {
    handshake();
    acknowledged(6);
    port.answerRest(Ack);
    prompter.answerNext(Prompter::Retry);
    prompter.onAsk([&](const ScriptedPrompter::Message&) {
        port.answerRest(BoardSerialPort::NoReply);
        port.answer({Ack, 0x00, 0x00}); // the next cycle is answered ready
    });
    EXPECT_TRUE(link.ClearPLSChan(1));
    EXPECT_FALSE(link.CommError);
    EXPECT_EQ(prompter.count(), 1);
}

// ---- Recall --------------------------------------------------------------------------------

// A channel that is not acknowledged keeps the last state; a time-out clears it and latches.
TEST_F(PLSFixture, RecallStateRules) {
    const struct {
        std::vector<int> answers; // after the handshake: channel ack, state, low, high
        bool result;
        int state, position;
    } cases[] = {
        {{Ack, 1, 0x2C, 0x01}, true, 1, 300},          {{0x00}, false, 1, 300},
        {{Ack, 0, 0xFF, 16}, true, 0, 16 * 256 + 255}, {{Ack, 1, 0x00, 17}, false, 2, 0},
        {{Ack, 3, 0x10, 0xFF}, false, 2, 0},           {{Ack, 1, None, None, None}, false, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(link.CommError);
        EXPECT_EQ(prompter.count(), 0);
        handshake();
        for (int answer : c.answers)
            port.answer(answer);
        EXPECT_EQ(link.RecallChannel(5), c.result);
        EXPECT_EQ(link.ChannelRecallState(), c.state);
        EXPECT_EQ(link.ChannelRecallPos(), c.position);
    }
    EXPECT_TRUE(link.CommError);
}

// ---- Offset ----------------------------------------------------------------------------------

TEST_F(PLSFixture, SetPLSOffsetPutsTheCurrentPositionAtAnyWantedOneUpToTheScale) {
    struct Case {
        int offset;
        int position;
        int scale;
        int wanted;
        int written; // -1: refused
    } cases[] = {
        {350, 20, 360, 0, 10},  {350, 20, 360, 360, 10}, {0, 0, 360, 90, 270},
        {10, 355, 360, 5, 0},   {359, 359, 360, 1, 357}, {0, 100, 360, 361, -1},
        {0, 7, 8, 8, 7},        {350, 20, 360, -10, 20}, {0, 0, 360, -32768, 8},
        {0, 0, 360, 70000, -1},
    };
    for (const Case& c : cases) {
        prompter.clear();
        port.clearWire();
        word(c.offset);
        word(c.position);
        word(c.scale);
        if (c.written >= 0) {
            handshake();
            acknowledged(2);
            ready();
        }
        EXPECT_EQ(link.SetPLSOffset(c.wanted), c.written >= 0) << c.wanted;
        if (c.written >= 0) { // after the three word reads: the new offset, then ready
            EXPECT_EQ(wire().substr(72),
                      QString::asprintf("FF/55 2A/55 %02X/55 %02X/55 38/55 55/00 55/00",
                                        c.written & 0xFF, c.written >> 8)
                          .toStdString())
                << c.wanted;
            continue;
        }
        ASSERT_EQ(prompter.count(), 1);
        EXPECT_EQ(prompter.lastShown(),
                  Shown("Set PLS Offset",
                        QStringLiteral("Desired Position cannot be greater than Scale Factor "
                                       "of %1.\r\n\r\nPLS Offset will not be Programmed.")
                            .arg(c.scale),
                        Prompter::Icon::Exclamation, Prompter::Buttons::OK));
    }
}

// ---- Configuration -------------------------------------------------------------------------

TEST_F(PLSFixture, ConfigDownloadSendsFourGroupsThenTheScaleFactorAndStopsAtAFailedOne) {
    QVector<int> config;
    for (int i = 0; i < 24; ++i)
        config.append(i + 1);
    for (int group = 0; group < 4; ++group) {
        handshake();
        acknowledged(6);
        ready();
    }
    handshake();
    acknowledged(2);
    ready();
    EXPECT_TRUE(link.PLSConfigDownload(config, 720));
    EXPECT_EQ(wire(), "FF/55 3B/55 01/55 02/55 03/55 04/55 05/55 06/55 38/55 55/00 55/00 "
                      "FF/55 4B/55 07/55 08/55 09/55 0A/55 0B/55 0C/55 38/55 55/00 55/00 "
                      "FF/55 5B/55 0D/55 0E/55 0F/55 10/55 11/55 12/55 38/55 55/00 55/00 "
                      "FF/55 6B/55 13/55 14/55 15/55 16/55 17/55 18/55 38/55 55/00 55/00 "
                      "FF/55 1A/55 D0/55 02/55 38/55 55/00 55/00");

    // A failed group stops the download.
    port.clearWire();
    handshake();
    acknowledged(6);
    ready();
    handshake();
    port.answer({Ack, 0x00});
    EXPECT_FALSE(link.PLSConfigDownload(QVector<int>(24, 9), 360));
    EXPECT_EQ(wire(), "FF/55 3B/55 09/55 09/55 09/55 09/55 09/55 09/55 38/55 55/00 55/00 "
                      "FF/55 4B/55 09/55 09/00");
}

TEST_F(PLSFixture, ConfigUploadReadsNineteenBytesAndStoresTheFailedAnswerAndKeepsTheRest) {
    handshake();
    for (int i = 0; i < 19; ++i)
        port.answer(100 + i);
    link.PLSConfigUpload(); // the values in order are the ctl table's
    EXPECT_EQ(wire().substr(0, 24), "FF/55 0C/55 55/64 55/65 ");
    EXPECT_EQ(prompter.count(), 0);

    handshake();
    port.answer({1, 2, 3, None, None, None});
    const QVector<int> second = link.PLSConfigUpload();
    ASSERT_EQ(second.size(), 19);
    EXPECT_EQ(second[0], 1);
    EXPECT_EQ(second[2], 3);
    EXPECT_EQ(second[3], LinkSession::NoByte) << "the failed poll's answer is stored";
    EXPECT_EQ(second[4], 104) << "not refreshed, so the earlier value stays";
    EXPECT_EQ(second[18], 118);
    ASSERT_EQ(prompter.count(), 2);
    EXPECT_EQ(prompter.lastShown(),
              Shown("PLS Upload", "Not able to Upload Configuration from PLS.",
                    Prompter::Icon::Exclamation, Prompter::Buttons::OK));
}

// ---- On the simulated board ----------------------------------------------------------------

// Every PLS operation of the link against the simulated board: what the link sends is what
// the board takes in, and what the board holds is what the link reads back.
namespace {

using Kind = sim::PLSChannel::Kind;
using Steps = std::vector<std::pair<int, int>>;

class PLSOnBoard : public BoardRigTest {
protected:
    void SetUp() override {
        board.machine().setSpeed(0); // a crank that stays where the test puts it
        goOnline();
    }
    // The recall steps the channel table makes: a second one only after an ON or OFF point.
    Steps recall(int channel) {
        Steps steps;
        for (int i = 0; i < 2 && link.RecallChannel(channel); ++i) {
            steps.emplace_back(link.ChannelRecallState(), link.ChannelRecallPos());
            if (steps.back().first > 1)
                break;
        }
        return steps;
    }
};

} // namespace

TEST_F(PLSOnBoard, ChannelsAreStoredAsSentAndRecalledStepByStep) {
    ASSERT_TRUE(link.SingleSetpoint(3, 300, 20, true));
    ASSERT_TRUE(link.PulseTrain(4, 10, 20, 300));
    ASSERT_TRUE(link.ClearPLSChan(6));
    EXPECT_EQ(wire(), "FF/55 18/55 55/68 55/01 "
                      "FF/55 1B/55 03/55 00/55 00/55 00/55 00/55 00/55 38/55 55/00 55/00 "
                      "FF/55 1B/55 03/55 2C/55 01/55 14/55 00/55 01/55 38/55 55/00 55/00 "
                      "FF/55 18/55 55/68 55/01 "
                      "FF/55 2B/55 04/55 2C/55 01/55 0A/55 14/55 00/55 38/55 55/00 55/00 "
                      "FF/55 1B/55 06/55 00/55 00/55 00/55 00/55 00/55 38/55 55/00 55/00");
    const sim::PLSChannel& setpoints = board.pls().channel(3);
    EXPECT_EQ(std::tuple(setpoints.kind(), setpoints.onSetpoint(), setpoints.offSetpoint()),
              std::tuple(Kind::Setpoints, 300, 20));
    const sim::PLSChannel& pulse = board.pls().channel(4);
    EXPECT_EQ(std::tuple(pulse.kind(), pulse.start(), pulse.onDivisions(), pulse.offDivisions()),
              std::tuple(Kind::PulseTrain, 300, 10, 20));

    EXPECT_EQ(recall(3), (Steps{{1, 300}, {0, 20}}));
    EXPECT_EQ(recall(4), (Steps{{sim::PLSChannel::PulseTrainState, 300}}));
    EXPECT_EQ(recall(6), (Steps{{sim::PLSChannel::ClearedState, 0}}));
    EXPECT_EQ(link.LinkMode(), 0);
}

TEST_F(PLSOnBoard, WrongPLSAcknowledgeFailsTheCommandButNotTheLink) {
    board.faults().set(sim::Fault::PLSWrongAck, sim::FaultPlan::next(1));
    EXPECT_FALSE(link.SingleSetpoint(2, 1, 2));
    EXPECT_EQ(wire(), "FF/55 18/55 55/68 55/01 FF/55 1B/55 02/00");
    EXPECT_FALSE(link.CommError);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_TRUE(link.SingleSetpoint(2, 1, 2)) << "the next command goes through";
}
