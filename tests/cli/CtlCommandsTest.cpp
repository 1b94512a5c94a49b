#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sstream>

#include "ConsolePrompter.h"
#include "CtlCommands.h"
#include "RSComm.h"
#include "ScriptedPeer.h"
#include "StopSignal.h"
#include "VirtualClock.h"

namespace {

// The commands on a link whose far end answers from a script, on virtual time.
class CtlCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        peer.answer({0x55}); // greeting on opening
        link.OpenRSComm(peer);
        ASSERT_TRUE(link.OnlineMode);
        peer.clearWire();
    }

    QTemporaryDir app;
    VirtualClock clock;
    std::ostringstream out;
    std::ostringstream err;
    ConsolePrompter prompter{err, 0};
    ScriptedPeer peer;
    RSComm link{app.path(), clock, prompter};
    StopSignal stop;
    CtlCommands commands{link, prompter, clock, stop, out, err};
};

TEST_F(CtlCommandsTest, ReadStopsAtTheFirstAddressWhoseEchoIsWrong) {
    peer.answer({0x55, 0x55, 0x03, 0x34, 0x03, 0x12}); // W1022 = 0x1234
    peer.answer({0x00});                               // W1024: the address is not echoed
    EXPECT_EQ(commands.read({"W1022", "W1024", "W1026"}), CtlCommands::LinkFailure);
    EXPECT_EQ(out.str(), "4660\n");
    EXPECT_EQ(err.str(), "vorna7ctl: reading W1024 failed: the board's reply did not match\n");
    EXPECT_EQ(peer.wire().text(), "FF/55 01/55 03/03 FE/34 03/03 FF/12 04/00");
}

TEST_F(CtlCommandsTest, ReadOfATrueZeroSucceeds) {
    peer.answer({0x55, 0x55, 0x04, 0x00});
    EXPECT_EQ(commands.read({"B1024"}), CtlCommands::Success);
    EXPECT_EQ(out.str(), "0\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(CtlCommandsTest, BitWriteWhoseByteCannotBeReadWritesNothing) {
    peer.answer({0x55, 0x55, 0x00}); // read mode, then B1030's address goes unechoed
    EXPECT_EQ(commands.write("B1030.0", "1"), CtlCommands::LinkFailure);
    EXPECT_EQ(err.str(),
              "vorna7ctl: writing B1030.0 failed: the byte to change could not be read\n");
    EXPECT_EQ(peer.wire().text(), "FF/55 01/55 04/00"); // no write mode, no data
    EXPECT_EQ(out.str(), "");
}

TEST_F(CtlCommandsTest, RefusedValueIsStatusOneWithTheAlertAndNoTraffic) {
    EXPECT_EQ(commands.write("B1020", "256"), CtlCommands::Refused);
    EXPECT_EQ(err.str(), "ENTRY ALERT: Error: | Entry out of Range (0-255).\n");
    EXPECT_TRUE(peer.wire().empty());
}

TEST_F(CtlCommandsTest, WriteThatIsNeverEchoedRightFailsAfterTheRepeat) {
    peer.answer({0x55, 0x55, 0x00});       // first try: the high address byte comes back wrong
    peer.answer({0x55, 0x55, 0x04, 0x00}); // second try: the low address byte comes back wrong
    EXPECT_EQ(commands.write("B1031", "9"), CtlCommands::LinkFailure);
    EXPECT_EQ(err.str(),
              "vorna7ctl: writing B1031 failed: the board did not echo the bytes (tried twice)\n");
    EXPECT_EQ(peer.wire().text(), "FF/55 02/55 04/00 FF/55 02/55 04/04 07/00");
}

TEST_F(CtlCommandsTest, WatchEndsAfterTheRoundDuringWhichAStopWasRequested) {
    peer.answer({0x55, 0x55, 0x00, 0x2A, 0x00, 0x01}); // W182 = 0x012A = 298
    std::raise(SIGTERM);
    EXPECT_EQ(commands.watch({"W182"}, std::nullopt, 1000), CtlCommands::Success);
    EXPECT_EQ(out.str(), "298\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(CtlCommandsTest, WatchRunsTheGivenNumberOfRoundsWithoutNewHandshakes) {
    peer.answer({0x55, 0x55, 0x00, 0x05, 0x00, 0x07}); // W182 = 0x0705, B101 = 7
    peer.answer({0x00, 0x06, 0x00, 0x07});
    peer.answer({0x00, 0x05, 0x00, 0x03});
    EXPECT_EQ(commands.watch({"B182", "B101"}, 3, 0), CtlCommands::Success);
    EXPECT_EQ(out.str(), "5 7\n6 7\n5 3\n");
    EXPECT_EQ(peer.wire().size(), 2u + 3u * 4u);
}

TEST(StopSignal, TurnsCtrlCIntoARequestAndGivesTheOldHandlerBack) {
    static volatile std::sig_atomic_t previousCalled = 0;
    const auto previous = std::signal(SIGINT, [](int) { previousCalled = 1; });
    {
        StopSignal stop;
        VirtualClock clock;
        EXPECT_FALSE(stop.requested());
        EXPECT_FALSE(stop.waitUntil(clock, clock.now())); // the deadline has come: no wait
        std::raise(SIGINT);
        EXPECT_TRUE(stop.requested());
        // Would sleep an hour if the request did not end the wait.
        EXPECT_TRUE(stop.waitUntil(clock, clock.now() + Clock::fromSeconds(3600)));
        EXPECT_EQ(previousCalled, 0);
    }
    std::raise(SIGINT);
    EXPECT_EQ(previousCalled, 1);
    std::signal(SIGINT, previous);
}

} // namespace
