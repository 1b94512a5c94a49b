#include "BackgroundUpdate.h"
#include "AppContext.h"
#include "BoardRig.h"
#include "QStringPrinter.h"

namespace {

const QString Normal = QStringLiteral("-- System Normal --\r\nSet-up Program is Currently ONLINE");
const QString AllNormal = QStringLiteral("System Message:  All Faults Normal");
const QString FaultsActive = QStringLiteral("System Message:  Faults Active in PLC");

QString alarm(const char* text) {
    return QStringLiteral("** System ALARM **\r\n") + QString::fromLatin1(text) +
           QStringLiteral("\r\n\r\n");
}

class BackgroundTicks : public BoardRigTest {
protected:
    BackgroundTicks() {
        context.TargetComm = &link;
        context.CommControl = &port;
        context.InitAlarmTables();
        context.InitSetupTables();
        // The running machine drives bit 0 of B100 only; the alarm bits are the test's.
        board.machine().setSpeed(0);
    }
    // Ticks until the tick that polls AlarmAdd(index) has run.
    std::optional<QString> tickThrough(int index) {
        std::optional<QString> status;
        do {
            status = update.Tick();
        } while (update.PollIndex() != index);
        return status;
    }
    void setB101(std::uint8_t value) { board.memory().setByte(101, value); }
    std::vector<int> activeFlags() const {
        std::vector<int> active;
        for (int n = 0; n < AlarmTables::TextCount; ++n) {
            if (update.AlarmActive()[static_cast<std::size_t>(n)])
                active.push_back(n);
        }
        return active;
    }

    AppContext context{folder.path(), prompter};
    BackgroundUpdate update{context};
};

TEST_F(BackgroundTicks, OfflineTicksStateTheModeOnlineTicksPollInTurnUnlessTheLinkIsBusy) {
    EXPECT_EQ(update.Tick(), QStringLiteral("System Message:  Program is Currently OFFLINE"));
    EXPECT_EQ(context.SystemMessage, QStringLiteral("Set-up Program is Currently OFFLINE"));
    link.CommError = true;
    EXPECT_EQ(update.Tick(), QStringLiteral("System Message:  Comm Fault with K6674"));
    EXPECT_EQ(context.SystemMessage, QStringLiteral("Set-up Program is Currently OFFLINE"));
    EXPECT_EQ(update.PollIndex(), 0);
    EXPECT_TRUE(port.wire().empty());

    // Online, each tick polls the next address, starting with the second. Which address each
    // index reads shows in the flags it decides (below).
    goOnline();
    std::vector<int> polled;
    for (int tick = 0; tick < 6; ++tick) {
        EXPECT_EQ(update.Tick(), AllNormal);
        polled.push_back(update.PollIndex());
    }
    EXPECT_EQ(polled, (std::vector<int>{1, 2, 3, 4, 0, 1}));
    EXPECT_EQ(context.SystemMessage, Normal);

    // A tick while the link's own message is open is skipped.
    const QString before = context.SystemMessage;
    std::optional<QString> nested = QStringLiteral("not run");
    std::size_t bytesBefore = 0;
    std::size_t bytesAfter = 0;
    prompter.onAsk([&](const ScriptedPrompter::Message&) {
        bytesBefore = port.wire().size();
        nested = update.Tick();
        bytesAfter = port.wire().size();
    });
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    link.RSRead(QStringLiteral("W182"));
    EXPECT_EQ(nested, std::nullopt);
    EXPECT_EQ(bytesAfter, bytesBefore);
    EXPECT_EQ(update.PollIndex(), 1);
    EXPECT_EQ(context.SystemMessage, before);
}

// Bits of B101 raise flags and only zero clears them. Every flag up gives every alarm text, one
// block each in index order. A zero at B101 leaves texts 8-11 alone; clearing F4 clears text 10
// on the F4 tick only.
TEST_F(BackgroundTicks, EachFlagAddressDecidesItsOwnTextsAndTheFlagsOutliveOfflineAndFailures) {
    goOnline();
    struct Step {
        std::uint8_t b101;
        std::vector<int> flags;
    } steps[] = {
        {6, {1, 2}},       // bits 1 and 2
        {2, {1, 2}},       // a clear bit leaves its flag
        {1, {1, 2}},       // bit 0 stands for no text
        {0x80, {1, 2, 7}}, // bit 7
        {0, {}},           // zero clears texts 0-7
        {0xFE, {1, 2, 3, 4, 5, 6, 7}},
    };
    for (const Step& step : steps) {
        setB101(step.b101);
        tickThrough(0);
        EXPECT_EQ(activeFlags(), step.flags) << int(step.b101);
    }

    board.memory().setBit(100, 4, true); // B100.4 -> text 8
    board.memory().setBit(33, 0, true);  // F8     -> text 9
    board.memory().setBit(32, 4, true);  // F4     -> text 10
    board.memory().setBit(111, 7, true); // B111.7 -> text 11
    setB101(0xFE);
    EXPECT_EQ(tickThrough(0), FaultsActive);
    EXPECT_EQ(context.SystemMessage,
              alarm("Cupfeed Motor O'Temp") + alarm("Servo Amplifier Fault") +
                  alarm("Cupfeed Cam Following Fault") + alarm("C1/CRA/CRB/CRC Fault") +
                  alarm("Cupfeed Cam Not in Sync") + alarm("Short Can Alarm\r\n(to PLC)") +
                  alarm("No Servo Fault") + alarm("Short Can Alarm\r\n(from PLC)") +
                  alarm("Die Sensor Fail Alarm") + alarm("Timing Signal Fail Alarm") +
                  alarm("Brake Response Too Long"));

    setB101(0);
    tickThrough(0);
    EXPECT_EQ(activeFlags(), (std::vector<int>{8, 9, 10, 11}));
    board.memory().setBit(32, 4, false);
    tickThrough(2);
    EXPECT_EQ(activeFlags(), (std::vector<int>{8, 9, 10, 11}));
    tickThrough(3);
    EXPECT_EQ(activeFlags(), (std::vector<int>{8, 9, 11}));

    // Everything cleared: back to normal on the tick that clears the last flag.
    for (const auto& [byte, bit] : {std::pair{100, 4}, {33, 0}, {111, 7}})
        board.memory().setBit(byte, bit, false);
    tickThrough(1);
    EXPECT_EQ(context.SystemMessage, alarm("Die Sensor Fail Alarm"));
    EXPECT_EQ(tickThrough(2), AllNormal);
    EXPECT_EQ(context.SystemMessage, Normal);

    // Flags outlive an offline spell, and a failed read changes nothing.
    setB101(1 << 3);
    tickThrough(0);
    link.OnlineMode = false;
    link.CloseRSComm();
    update.Tick();
    EXPECT_EQ(context.SystemMessage, QStringLiteral("Set-up Program is Currently OFFLINE"));
    setB101(0);
    goOnline();
    EXPECT_EQ(update.Tick(), FaultsActive); // polls B100.4; the stale flag is still up
    EXPECT_EQ(context.SystemMessage, alarm("Cupfeed Cam Following Fault"));
    EXPECT_EQ(update.PollIndex(), 1);

    // A failed read changes neither flags nor message.
    const QString before = context.SystemMessage;
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    EXPECT_EQ(update.Tick(), std::nullopt);
    EXPECT_TRUE(link.CommError);
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_EQ(context.SystemMessage, before);
    EXPECT_EQ(activeFlags(), std::vector<int>{3});
    // Further online ticks with the fault latched read nothing and change nothing.
    port.clearWire();
    EXPECT_EQ(update.Tick(), std::nullopt);
    EXPECT_TRUE(port.wire().empty());
    EXPECT_EQ(update.PollIndex(), 3);
}

} // namespace
