#include <gtest/gtest.h>
#include <sstream>

#include "ScriptedPeer.h"
#include "TracingSerialPort.h"
#include "VirtualClock.h"

namespace {

constexpr int None = ScriptedPeer::NoReply;
using WaitResult = SerialPort::WaitResult;

class TracingSerialPortTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(traced.open()); }

    ScriptedPeer peer;
    std::ostringstream out;
    TracingSerialPort traced{peer, out};
    VirtualClock clock;
};

TEST_F(TracingSerialPortTest, ShowsEachByteSentAndReceivedInHex) {
    peer.answer({0x55, None, 0x03, 0x0A});
    EXPECT_TRUE(traced.send(QByteArray("\xff\x01", 2)));
    EXPECT_EQ(traced.readByte(), 0x55);
    EXPECT_TRUE(traced.send(QByteArray("\x03\x04", 2)));
    EXPECT_EQ(traced.readByte(), 0x03);
    EXPECT_EQ(traced.readByte(), 0x0A);
    EXPECT_EQ(traced.readByte(), -1); // nothing there: nothing to show
    EXPECT_EQ(out.str(), "> FF\n> 01\n< 55\n> 03\n> 04\n< 03\n< 0A\n");
    EXPECT_EQ(peer.wire().text(), "FF/55 01/- 03/03 04/0A");
}

TEST_F(TracingSerialPortTest, ShowsWaitsThatEndWithoutAByteAndFailedSends) {
    peer.answer({None, 0x55, ScriptedPeer::DropLine});
    traced.send(QByteArray(1, '\xff'));
    EXPECT_EQ(traced.waitForByte(clock, clock.now()), WaitResult::TimedOut);
    traced.send(QByteArray(1, '\x01'));
    EXPECT_EQ(traced.waitForByte(clock, clock.now()), WaitResult::ByteReady);
    traced.readByte();
    traced.send(QByteArray(1, '\x02'));
    EXPECT_EQ(traced.waitForByte(clock, clock.now()), WaitResult::LineDropped);
    EXPECT_FALSE(traced.send(QByteArray(1, '\x10')));
    EXPECT_EQ(out.str(),
              "> FF\n! timeout\n> 01\n< 55\n> 02\n! line dropped\n> 10\n! send failed\n");
}

TEST_F(TracingSerialPortTest, ShowsLateBytesThrownAway) {
    peer.answer({0x55, 0x55, 0x07});
    traced.discard(); // nothing waiting: silent
    traced.send(QByteArray("\xff\xff", 2));
    traced.discard();
    traced.send(QByteArray(1, '\x01'));
    traced.discard();
    EXPECT_EQ(peer.bytesWaiting(), 0);
    traced.close();
    traced.discard(); // a closed line has nothing to count
    EXPECT_EQ(out.str(), "> FF\n> FF\n! discarded 2 bytes\n> 01\n! discarded 1 byte\n");
}

TEST_F(TracingSerialPortTest, PassesSettingsAndLifecycleToTheLine) {
    traced.setPortNumber(7);
    EXPECT_TRUE(traced.setSettings("19200,n,8,1"));
    EXPECT_EQ(peer.portNumber(), 7);
    EXPECT_EQ(traced.settings(), "19200,n,8,1");
    EXPECT_TRUE(traced.isOpen());
    traced.close();
    EXPECT_FALSE(peer.isOpen());
    EXPECT_FALSE(traced.isOpen());
    peer.refuseOpen({42, "line", "scripted"});
    EXPECT_FALSE(traced.open());
    EXPECT_EQ(traced.lastError().number, 42);
    EXPECT_EQ(out.str(), "");
}

} // namespace
