#include <QDir>
#include <numeric>
#include <vector>

#include "BoardRig.h"
#include "QStringPrinter.h"

using LinkOnBoard = BoardRigTest;

namespace {

using Icon = Prompter::Icon;
using Buttons = Prompter::Buttons;
using Shown = ScriptedPrompter::Shown;

const QString CommTitle = QStringLiteral("WARNING - Communication Error!");
const QString CannotCommunicate = QStringLiteral(
    "Cannot Communicate with Target Board.\rVerify RS-232 Cable is Connected Between\rCOMM Port "
    "and PROG Port.");

} // namespace

// ---- Values and modes (the bytes of each operation are the link watch's rows) ------------

TEST_F(LinkOnBoard, ValuesComposeAndSplitByWidth) {
    goOnline();
    struct Case {
        const char* address;
        const char* written;
        const char* read;
    } cases[] = {
        {"D1100", "123456789", "123456789"},
        {"W1104", "65,535", "65535"}, // the value the rules took, not the text
        {"B1111", "255", "255"},
        {"1FF0H", "17", "17"},
    };
    for (const Case& c : cases) {
        link.RSWrite(QString::fromLatin1(c.address), QString::fromLatin1(c.written));
        EXPECT_EQ(link.RSRead(QString::fromLatin1(c.address)), QString::fromLatin1(c.read))
            << c.address << " <- " << c.written;
    }
    EXPECT_EQ(board.memory().word(1100), 6789);
    EXPECT_EQ(board.memory().word(1102), 12345);
    EXPECT_EQ(board.memory().byte(8176), 17);
    EXPECT_EQ(link.LinkMode(), 1);
    EXPECT_EQ(prompter.count(), 0);
}

// The program's work while a byte is on the wire runs once for each byte, after it is sent.
TEST_F(LinkOnBoard, WireWaitWorkRunsOnceAfterEachByteSent) {
    goOnline();
    std::vector<std::size_t> sentBefore;
    link.setWireWait([&] { sentBefore.push_back(port.sent.size()); });
    link.RSWrite(QStringLiteral("W1104"), QStringLiteral("7"));
    EXPECT_EQ(link.RSRead(QStringLiteral("W1104")), QStringLiteral("7"));
    std::vector<std::size_t> eachByte(port.sent.size());
    std::iota(eachByte.begin(), eachByte.end(), 1);
    EXPECT_EQ(sentBefore, eachByte);
}

// ---- Bit and flag writes ------------------------------------------------------------------

TEST_F(LinkOnBoard, BitWriteReadsTheWholeByteAndChangesOnlyItsBit) {
    goOnline();
    board.memory().setByte(1020, 0xF0);
    link.RSWrite(QStringLiteral("B1020.0"), QStringLiteral("1"));
    EXPECT_EQ(board.memory().byte(1020), 0xF1);

    link.RSWrite(QStringLiteral("B1020.7"), QStringLiteral("0"));
    EXPECT_EQ(board.memory().byte(1020), 0x71);
    link.RSWrite(QStringLiteral("B1020.7"), QStringLiteral("0"));
    EXPECT_EQ(board.memory().byte(1020), 0x71) << "clearing a clear bit leaves it clear";
    EXPECT_EQ(link.RSRead(QStringLiteral("B1020.4")), QStringLiteral("1"));
    EXPECT_EQ(link.RSRead(QStringLiteral("B1020.3")), QStringLiteral("0"));
}

// ---- Checks before a write ---------------------------------------------------------------

// Which texts are refused, and why, is the value rules' business.
TEST_F(LinkOnBoard, RefusedValueShowsOneEntryAlertAndSendsNothing) {
    goOnline();
    link.RSWrite(QStringLiteral("F34"), QStringLiteral("10"));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.lastShown(),
              Shown("ENTRY ALERT", "Error:\rEnter 0 or 1 Only.", Icon::Critical, Buttons::OK));
    EXPECT_EQ(link.LastRefusal(), prompter.last().text);
    EXPECT_EQ(wire(), "");
    EXPECT_FALSE(link.CommError);
}

TEST_F(LinkOnBoard, MalformedAddressesAreRefusedWithoutTouchingTheLine) {
    goOnline();
    for (const char* address : {"", "B10.x", "B10.8", "B10.", "B65536", "D65533"}) {
        EXPECT_EQ(link.RSRead(QString::fromLatin1(address)), QStringLiteral("0")) << address;
        EXPECT_FALSE(link.LastRefusal().isEmpty()) << address;
        link.RSWrite(QString::fromLatin1(address), QStringLiteral("1"));
        EXPECT_FALSE(link.LastRefusal().isEmpty()) << address;
    }
    EXPECT_EQ(wire(), "");
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_FALSE(link.CommError);
}

// ---- Echo failures -------------------------------------------------------------------------

TEST_F(LinkOnBoard, WrongEchoRepeatsAWriteOnceThenStopsWithoutAMessage) {
    goOnline();
    // Spoil the second echo of the first attempt only.
    board.faults().set(sim::Fault::WrongEcho, sim::FaultPlan::next(1, 1));
    link.RSWrite(QStringLiteral("W1024"), QStringLiteral("300"));
    EXPECT_EQ(board.memory().word(1024), 300);
    EXPECT_EQ(link.LinkMode(), 2);
    EXPECT_EQ(prompter.count(), 0); // the repeat's bytes are the link watch's

    // A write that fails twice stops without a message.
    board.faults().set(sim::Fault::WrongEcho, sim::FaultPlan::always());
    link.RSWrite(QStringLiteral("W1024"), QStringLiteral("300"));
    EXPECT_TRUE(link.WriteVerifyFailed());
    EXPECT_EQ(link.LinkMode(), 0);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_FALSE(link.CommError); // the bytes of both attempts are the link watch's
}

TEST_F(LinkOnBoard, WrongEchoOfAReadAddressGivesZeroAndDropsTheMode) {
    goOnline();
    board.memory().setWord(1022, 77);
    link.RSRead(QStringLiteral("B1"));
    board.faults().set(sim::Fault::WrongEcho, sim::FaultPlan::next(1));
    EXPECT_EQ(link.RSRead(QStringLiteral("W1022")), QStringLiteral("0"));
    EXPECT_EQ(link.LinkMode(), 0);
    EXPECT_FALSE(link.CommError);
    EXPECT_EQ(link.RSRead(QStringLiteral("W1022")), QStringLiteral("77"));
}

// ---- Time-outs and the failure latch -------------------------------------------------------

TEST_F(LinkOnBoard, SilentBoardIsResynchronisedTwiceThenTheUserIsAsked) {
    goOnline();
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    Clock::Micros askedAt = 0;
    prompter.onAsk([&](const ScriptedPrompter::Message&) { askedAt = clock.now(); });
    const Clock::Micros start = clock.now();

    EXPECT_EQ(link.RSRead(QStringLiteral("W1022")), QStringLiteral("0"));

    // Attention, then a resynchronising one a second and three seconds after it.
    EXPECT_EQ(port.sent, (std::vector<std::pair<int, Clock::Micros>>{
                             {0xFF, start}, {0xFF, start + 1'000'000}, {0xFF, start + 3'000'000}}));
    EXPECT_EQ(askedAt - start, 5'000'000);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.lastShown(),
              Shown(CommTitle, CannotCommunicate, Icon::Critical, Buttons::RetryCancel));
    EXPECT_TRUE(link.CommError);
    EXPECT_TRUE(link.CommErrorAlert);
    EXPECT_EQ(link.LinkMode(), 0);
    EXPECT_TRUE(port.isOpen());

    // Latched: nothing more goes on the line until the link is opened again.
    port.sent.clear();
    board.faults().clear();
    EXPECT_EQ(link.RSRead(QStringLiteral("W1022")), QStringLiteral("0"));
    link.RSWrite(QStringLiteral("W1024"), QStringLiteral("5"));
    EXPECT_TRUE(port.sent.empty());
    EXPECT_EQ(prompter.count(), 1);

    link.OpenRSComm(port);
    EXPECT_TRUE(link.OnlineMode);
    EXPECT_FALSE(link.CommError);
    board.memory().setWord(1022, 4);
    EXPECT_EQ(link.RSRead(QStringLiteral("W1022")), QStringLiteral("4"));
}

TEST_F(LinkOnBoard, RetryAfterTheBoardCameBackEndsTheFailure) {
    goOnline();
    board.memory().setWord(1022, 513);
    // The handshake's attention byte and both resynchronisations are lost; after Retry the
    // next resynchronisation is answered and the handshake goes on from there.
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::next(3));
    prompter.answerNext(Prompter::Retry);
    EXPECT_EQ(link.RSRead(QStringLiteral("W1022")), QStringLiteral("513"));
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_FALSE(link.CommError) << "a reply after Retry must not leave the link latched";
    EXPECT_EQ(link.RSRead(QStringLiteral("W1022")), QStringLiteral("513"));
}

TEST_F(LinkOnBoard, HandshakeNotAcknowledgedIsRetriedForTwoSecondsThenClosesOnCancel) {
    ASSERT_TRUE(board.faults().setWireBaud(9600));
    goOnline();
    board.faults().set(sim::Fault::WrongAcknowledge, sim::FaultPlan::always());
    const Clock::Micros start = clock.now();
    Clock::Micros askedAt = 0;
    prompter.onAsk([&](const ScriptedPrompter::Message&) { askedAt = clock.now(); });

    EXPECT_EQ(link.RSRead(QStringLiteral("W1022")), QStringLiteral("0"));

    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.lastShown(), Shown(CommTitle, "Cannot Set PLC Mode Within Target Board.",
                                          Icon::Critical, Buttons::RetryCancel));
    EXPECT_GT(askedAt - start, 2'000'000);
    EXPECT_LT(askedAt - start, 2'010'000);
    EXPECT_GT(port.wire().size(), 100u) << "attention bytes keep going for two seconds";
    for (const auto& exchange : port.wire().exchanges())
        EXPECT_EQ(exchange.request, 0xFF);
    EXPECT_TRUE(link.CommError);
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(LinkOnBoard, HandshakeRetryGivesAnotherTwoSeconds) {
    ASSERT_TRUE(board.faults().setWireBaud(19200));
    goOnline();
    board.faults().set(sim::Fault::WrongAcknowledge, sim::FaultPlan::always());
    prompter.answerNext(Prompter::Retry);
    prompter.answerNext(Prompter::Retry);
    std::vector<Clock::Micros> askedAt;
    prompter.onAsk([&](const ScriptedPrompter::Message&) {
        askedAt.push_back(clock.now());
        if (askedAt.size() == 2)
            board.faults().clear();
    });
    board.memory().setByte(1020, 42);
    EXPECT_EQ(link.RSRead(QStringLiteral("B1020")), QStringLiteral("42"));
    ASSERT_EQ(askedAt.size(), 2u);
    EXPECT_GT(askedAt[1] - askedAt[0], 2'000'000);
    EXPECT_LT(askedAt[1] - askedAt[0], 2'010'000);
    EXPECT_TRUE(link.OnlineMode);
}

TEST_F(LinkOnBoard, ClosedPortFailsTheExchangeAtOnceAndLatches) {
    EXPECT_EQ(link.FaultCode(), 0) << "never opened";
    EXPECT_TRUE(link.CommError);
    goOnline();
    port.close();
    EXPECT_EQ(link.RSRead(QStringLiteral("W1022")), QStringLiteral("0"));
    EXPECT_TRUE(link.CommError);
    EXPECT_EQ(link.LinkMode(), 0);
    EXPECT_EQ(wire(), "");
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(LinkOnBoard, DroppedLineLatchesAtOnceAndIsReportedOnce) {
    goOnline();
    const Clock::Micros start = clock.now();
    board.faults().dropLine();
    EXPECT_EQ(link.RSRead(QStringLiteral("W1022")), QStringLiteral("0"));
    EXPECT_EQ(link.RSRead(QStringLiteral("W1022")), QStringLiteral("0"));
    link.RSWrite(QStringLiteral("W1024"), QStringLiteral("1"));
    EXPECT_TRUE(link.CommError);
    EXPECT_LT(clock.now() - start, 1'000'000) << "no time-out is waited out against a dead line";
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, CommTitle);
    EXPECT_TRUE(prompter.last().text.startsWith(
        QStringLiteral("The Connection to the COMM Port Was Lost.")));
    EXPECT_EQ(prompter.last().buttons, Buttons::OK);
    EXPECT_FALSE(port.isOpen());
}

// ---- One operation at a time ---------------------------------------------------------------

TEST_F(LinkOnBoard, NoOperationStartsWhileTheLinksOwnMessageIsOpen) {
    goOnline();
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    std::size_t exchangesWhileOpen = 0;
    QString nestedRead;
    prompter.onAsk([&](const ScriptedPrompter::Message&) {
        EXPECT_TRUE(link.IsBusy());
        const std::size_t before = port.wire().size();
        nestedRead = link.RSRead(QStringLiteral("W1022"));
        link.RSWrite(QStringLiteral("W1024"), QStringLiteral("1"));
        link.CloseRSComm();
        EXPECT_EQ(link.PLSRpm(), QStringLiteral("-9999"));
        exchangesWhileOpen = port.wire().size() - before;
    });
    link.RSRead(QStringLiteral("W1022"));
    EXPECT_EQ(nestedRead, QStringLiteral("0"));
    EXPECT_EQ(exchangesWhileOpen, 0u);
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_FALSE(link.IsBusy());
    EXPECT_TRUE(port.isOpen()) << "the nested close was refused";
}
