#include "MachineWindowRig.h"
#include "frmBMTmg.h"

namespace {

const char* const Box = "txtChannel";

class MachineTiming : public MachineWindowRig<frmBMTmg> {
protected:
    void loadOnline() {
        board.machine().setSpeed(0);
        board.pls().programSetpoints(2, 100, 200);
        board.pls().clearChannel(0);
        goOnline();
        load();
        runPasses(1);
        port.clearWire();
    }
    QString panel(int p) const { return text(at("Panels", p)); }
    // Channel records the PLS took (command 27: a clear or a setpoint pair).
    int channelRecords() const {
        int records = 0;
        const auto& exchanges = port.wire().exchanges();
        for (std::size_t k = 1; k < exchanges.size(); ++k)
            records += exchanges[k - 1].request == 0xFF && exchanges[k - 1].reply == 0x55 &&
                       exchanges[k].request == 27;
        return records;
    }
};

TEST_F(MachineTiming, OnlineItShowsThePLSRecallsADownloadAndTheOffsetIsSetAfterYes) {
    loadOnline();
    // New PLS data from a download is recalled on the next pass.
    board.pls().programSetpoints(4, 10, 20);
    runPasses(1);
    EXPECT_NE(text(at(Box, 4)), QStringLiteral("10"));
    context.PLSDataChanged = true;
    runPasses(1);
    EXPECT_EQ(text(at(Box, 4)) + text(at(Box, 12)), QStringLiteral("1020"));
    EXPECT_FALSE(context.PLSDataChanged);

    // What the PLS holds, and the offset controls following the stop edges.
    EXPECT_EQ(text(at(Box, 2)) + text(at(Box, 10)), QStringLiteral("100200"));
    EXPECT_EQ(text(at(Box, 0)), QStringLiteral("*****")); // a cleared channel
    EXPECT_EQ(text(at("lblPLSCfg", 0)), QStringLiteral("8"));
    EXPECT_EQ(panel(1) + panel(3) + panel(4), QStringLiteral("RPM: 0Offset: 0Scale: 360"));
    for (const auto& [speed, on] : {std::pair{51, false}, {0, true}}) {
        board.machine().setSpeed(static_cast<std::uint16_t>(speed));
        runPasses(1);
        EXPECT_EQ(enabled(QStringLiteral("cmdSetOffset")) && enabled(at("txtTmg", 0)), on);
        EXPECT_EQ(panel(2) == QStringLiteral("Position: 888"), !on);
    }
    // Set Offset sends the whole number shown, only after Yes.
    for (const int answer : {int(Prompter::No), int(Prompter::Yes)}) {
        type(at("txtTmg", 0), QStringLiteral("7.5"));
        prompter.answerNext(answer);
        press("cmdSetOffset"); // Enter moved the focus to it
        EXPECT_EQ(text(at("txtTmg", 0)), QLatin1String(answer == Prompter::Yes ? "8" : "0"));
    }
    EXPECT_EQ(board.pls().position(), 8);
    EXPECT_EQ(context.CurrentData.ResolverOffset, 8);
    // Shown only when finished: a PLS that does not answer leaves the layout to be tried again.
    link.OnlineMode = false;
    runPasses(1);
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    link.OnlineMode = true;
    runPasses(1);
    EXPECT_FALSE(window->onlineLayoutShown());
}

TEST_F(MachineTiming, ATypedSetpointIsProgrammedTwiceEqualPairsAreRefusedAndClearAsksFirst) {
    loadOnline();
    find<QLineEdit>(at(Box, 10))->setText(QStringLiteral("101"));
    find(at("updChannel", 2))->setFocus(Qt::TabFocusReason);
    QTest::keyClick(focused(), Qt::Key_Up); // the up-down may reach ON = OFF
    EXPECT_EQ(board.pls().channel(2).onSetpoint(), 101);
    EXPECT_EQ(channelRecords(), 2);
    port.clearWire();
    type(at(Box, 2), QStringLiteral("150.4"));
    EXPECT_EQ(text(at(Box, 2)), QStringLiteral("150"));
    EXPECT_EQ(board.pls().channel(2).onSetpoint(), 150);
    EXPECT_EQ(channelRecords(), 4); // clear and pair, on acceptance and after leaving
    EXPECT_EQ(context.CurrentData.ChanSetpoint[2][0], 150);
    port.clearWire();
    type(at(Box, 2), QStringLiteral("101"));
    EXPECT_EQ(prompter.last().text, QStringLiteral("ON Setpoint cannot Equal OFF Setpoint"));
    EXPECT_EQ(text(at(Box, 2)), QStringLiteral("150"));
    EXPECT_EQ(channelRecords(), 0);
    type(at(Box, 2), QStringLiteral("150"), Qt::Key_Tab); // unchanged: nothing programmed
    EXPECT_EQ(channelRecords(), 0);
    QStringList order; // row by row: ON box, its up-down, OFF box, its up-down
    for (int k = 0; k < 4; ++k, QTest::keyClick(focused(), Qt::Key_Tab))
        order << focused()->objectName() + ' ' + focused()->accessibleName();
    EXPECT_EQ(order.join(u'|'),
              "txtChannel(2) Short Can Check Timing (CH02): ON|updChannel(2) Short "
              "Can Check Timing (CH02): ON|txtChannel(10) Short Can Check Timing "
              "(CH02): OFF|updChannel(10) Short Can Check Timing (CH02): OFF");

    // Clear Channel asks, then recalls the channel; a cancelled failed recall shows dashes.
    prompter.clear();
    find<QLineEdit>(at("txtTmg", 1))->setText(QStringLiteral("2"));
    prompter.answerNext(Prompter::Yes);
    pressKeys(Qt::Key_C);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("You are about to Clear Channel CH02.\r\n\r\n"
                                                   "Do you wish to continue?"));
    EXPECT_EQ(text(at(Box, 10)), QStringLiteral("*****"));
    EXPECT_EQ(board.pls().channel(2).kind(), sim::PLSChannel::Kind::Cleared);
    EXPECT_EQ(context.CurrentData.ChanSetpoint[2][1], 0);
    board.faults().set(sim::Fault::PLSWrongAck, sim::FaultPlan::next(1, 0));
    pressKeys(Qt::Key_R);
    EXPECT_EQ(prompter.last().text, QStringLiteral("Unable to Recall Channel"));
    EXPECT_EQ(text(at(Box, 2)) + text(at(Box, 10)), QStringLiteral("------"));
}

TEST_F(MachineTiming, OfflineItShowsCurrentDataAndClearsChannelsWithOfflineEditing) {
    context.CurrentData.ChanSetpoint[3] = {40, 80};
    context.CurrentData.ResolverOffset = 12;
    load();
    runPasses(1);
    EXPECT_EQ(text(at(Box, 11)) + panel(3), QStringLiteral("80Offset: 12"));
    EXPECT_FALSE(enabled(at(Box, 3)) || enabled(QStringLiteral("cmdClearChan")));
    context.OfflineEditing = true;
    context.CurrentData.ChanSetpoint[3] = {41, 81};
    runPasses(2);
    EXPECT_EQ(text(at(Box, 3)), QStringLiteral("41"));
    find<QLineEdit>(at("txtTmg", 1))->setText(QStringLiteral("3"));
    prompter.answerNext(Prompter::Yes);
    press("cmdClearChan");
    EXPECT_EQ(text(at(Box, 11)), QStringLiteral("*****"));
    EXPECT_EQ(context.CurrentData.ChanSetpoint[3][0], 0);
}

TEST_F(MachineTiming, RetryAfterAFailedClearOrRecallStartsOverAndCancelShowsDashes) {
    loadOnline();
    find<QLineEdit>(at("txtTmg", 1))->setText(QStringLiteral("2"));
    board.faults().set(sim::Fault::PLSWrongAck, sim::FaultPlan::next(1));
    for (const int answer : {int(Prompter::Yes), int(Prompter::Retry), int(Prompter::Yes)})
        prompter.answerNext(answer);
    press("cmdClearChan");
    ASSERT_EQ(prompter.count(), 3);
    EXPECT_EQ(prompter.messages().at(1).text, QStringLiteral("Unable to Clear Channel"));
    EXPECT_TRUE(prompter.messages().at(2).text.startsWith("You are about to Clear Channel CH02."));
    EXPECT_EQ(board.pls().channel(2).kind(), sim::PLSChannel::Kind::Cleared);
    board.pls().programSetpoints(2, 30, 60);
    board.faults().set(sim::Fault::PLSWrongAck, sim::FaultPlan::next(1));
    prompter.answerNext(Prompter::Retry);
    press("cmdRecallChan");
    EXPECT_EQ(prompter.last().text, QStringLiteral("Unable to Recall Channel"));
    EXPECT_EQ(text(at(Box, 2)) + text(at(Box, 10)), QStringLiteral("3060"));
    board.faults().set(sim::Fault::PLSWrongAck, sim::FaultPlan::next(1));
    prompter.answerNext(Prompter::Yes);
    prompter.answerNext(Prompter::Cancel);
    press("cmdClearChan");
    EXPECT_EQ(text(at(Box, 2)) + text(at(Box, 10)), QStringLiteral("------"));
}

// Channel 0 is cleared on the board: its boxes show "*****".
TEST_F(MachineTiming, TypingBesideAClearedBoxProgramsZeroForItAndAFailureNamesTheChannel) {
    loadOnline();
    type(at(Box, 8), QStringLiteral("40"));
    EXPECT_EQ(board.pls().channel(0).onSetpoint(), 0);
    EXPECT_EQ(board.pls().channel(0).offSetpoint(), 40);
    port.clearWire();
    type(at(Box, 0), QString(), Qt::Key_Tab);
    EXPECT_EQ(text(at(Box, 0)), QStringLiteral("*****"));
    EXPECT_EQ(channelRecords() + prompter.count(), 0);

    // A failed programming names its channel and keeps the new value.
    board.faults().set(sim::Fault::PLSWrongAck, sim::FaultPlan::always());
    type(at(Box, 13), QStringLiteral("300"));
    EXPECT_EQ(prompter.last().title + prompter.last().text,
              QStringLiteral("Channel SetpointUnable to Successfully Program Setpoint for Channel "
                             "CH05."));
    EXPECT_EQ(text(at(Box, 13)), QStringLiteral("300"));
    EXPECT_EQ(context.CurrentData.ChanSetpoint[5][1], 300);
}

} // namespace
