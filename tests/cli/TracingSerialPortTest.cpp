#include <deque>
#include <gtest/gtest.h>
#include <sstream>

#include "TracingSerialPort.h"
#include "VirtualClock.h"

namespace {

// A line whose replies and waits are scripted: each wait takes the next outcome.
class ScriptedLine final : public SerialPort {
public:
    std::deque<int> incoming;
    std::deque<WaitResult> waits;
    QByteArray sent;
    bool accepting = true;
    bool discarded = false;

    void setPortNumber(int number) override { port = number; }
    int portNumber() const override { return port; }
    bool setSettings(const QString& text) override {
        lineSettings = text;
        return true;
    }
    QString settings() const override { return lineSettings; }
    bool open() override { return opened = true; }
    void close() override { opened = false; }
    bool isOpen() const override { return opened; }
    int bytesWaiting() override { return static_cast<int>(incoming.size()); }
    WaitResult waitForByte(Clock&, Clock::Micros) override {
        const WaitResult result = waits.front();
        waits.pop_front();
        return result;
    }
    bool send(const QByteArray& bytes) override {
        sent += bytes;
        return accepting;
    }
    int readByte() override {
        if (incoming.empty())
            return -1;
        const int byte = incoming.front();
        incoming.pop_front();
        return byte;
    }
    void discard() override {
        discarded = true;
        incoming.clear();
    }
    Error lastError() const override { return {42, "line", "scripted"}; }

    int port = 0;
    QString lineSettings;
    bool opened = false;
};

class TracingSerialPortTest : public testing::Test {
protected:
    ScriptedLine line;
    std::ostringstream out;
    TracingSerialPort traced{line, out};
    VirtualClock clock;
};

TEST_F(TracingSerialPortTest, ShowsEachByteSentAndReceivedInHex) {
    line.incoming = {0x55, 0x03, 0x0A};
    EXPECT_TRUE(traced.send(QByteArray("\xff\x01", 2)));
    EXPECT_EQ(traced.readByte(), 0x55);
    EXPECT_TRUE(traced.send(QByteArray(1, '\x03')));
    EXPECT_EQ(traced.readByte(), 0x03);
    EXPECT_EQ(traced.readByte(), 0x0A);
    EXPECT_EQ(traced.readByte(), -1); // nothing there: nothing to show
    EXPECT_EQ(out.str(), "> FF\n> 01\n< 55\n> 03\n< 03\n< 0A\n");
    EXPECT_EQ(line.sent, QByteArray("\xff\x01\x03", 3));
}

TEST_F(TracingSerialPortTest, ShowsWaitsThatEndWithoutAByte) {
    line.waits = {SerialPort::WaitResult::TimedOut, SerialPort::WaitResult::ByteReady,
                  SerialPort::WaitResult::LineDropped};
    EXPECT_EQ(traced.waitForByte(clock, 0), SerialPort::WaitResult::TimedOut);
    EXPECT_EQ(traced.waitForByte(clock, 0), SerialPort::WaitResult::ByteReady);
    EXPECT_EQ(traced.waitForByte(clock, 0), SerialPort::WaitResult::LineDropped);
    EXPECT_EQ(out.str(), "! timeout\n! line dropped\n");
}

TEST_F(TracingSerialPortTest, ShowsLateBytesThrownAwayAndFailedSends) {
    line.opened = true;
    traced.discard(); // nothing waiting: silent
    line.incoming = {0x55, 0x55};
    traced.discard();
    line.incoming = {0x07};
    traced.discard();
    line.accepting = false;
    EXPECT_FALSE(traced.send(QByteArray(1, '\x10')));
    EXPECT_TRUE(line.discarded);
    EXPECT_TRUE(line.incoming.empty());
    EXPECT_EQ(out.str(), "! discarded 2 bytes\n! discarded 1 byte\n> 10\n! send failed\n");
}

TEST_F(TracingSerialPortTest, PassesSettingsAndLifecycleToTheLine) {
    traced.setPortNumber(7);
    EXPECT_TRUE(traced.setSettings("19200,n,8,1"));
    EXPECT_TRUE(traced.open());
    EXPECT_TRUE(line.opened);
    EXPECT_EQ(traced.portNumber(), 7);
    EXPECT_EQ(traced.settings(), "19200,n,8,1");
    EXPECT_EQ(traced.lastError().number, 42);
    traced.close();
    EXPECT_FALSE(traced.isOpen());
    EXPECT_EQ(out.str(), "");
}

} // namespace
