#include <gtest/gtest.h>

#include "Board.h"
#include "BoardSerialPort.h"
#include "VirtualClock.h"

// Wire time of the in-process board; what the link does with the port is in the link tests.
using sim::Board;
using sim::Fault;
using sim::FaultPlan;
using WaitResult = SerialPort::WaitResult;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (int value : values)
        result.append(static_cast<char>(value));
    return result;
}

class BoardPort : public testing::Test {
protected:
    BoardPort() : port(board, clock) { EXPECT_TRUE(port.open()); }

    Board board;
    VirtualClock clock;
    BoardSerialPort port;
};

} // namespace

TEST_F(BoardPort, ReplyArrivesTwoByteTimesLater) {
    const struct {
        int baud;
        Clock::Micros replyAfter;
    } cases[] = {{9600, 2084}, {19200, 1042}};
    for (const auto& c : cases) {
        board.faults().setWireBaud(c.baud);
        const auto start = clock.now();
        port.send(bytes({0xFF}));
        EXPECT_EQ(port.bytesWaiting(), 0) << c.baud;
        EXPECT_EQ(port.readByte(), -1) << c.baud;
        EXPECT_EQ(port.waitForByte(clock, start + 1'000'000), WaitResult::ByteReady) << c.baud;
        EXPECT_EQ(clock.now() - start, c.replyAfter) << c.baud;
        EXPECT_EQ(port.readByte(), 0x55) << c.baud;
    }
}

TEST_F(BoardPort, BurstQueuesOnTheWire) {
    port.send(bytes({0xFF, 0x02}));
    clock.advance(10'000);
    port.discard();
    board.faults().setWireBaud(9600);
    const auto start = clock.now();
    port.send(bytes({0x04, 0x00, 0x2C}));
    std::vector<Clock::Micros> readyAfter;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(port.waitForByte(clock, start + 1'000'000), WaitResult::ByteReady);
        readyAfter.push_back(clock.now() - start);
        port.readByte();
    }
    EXPECT_EQ(readyAfter, (std::vector<Clock::Micros>{2084, 3125, 4167}));
}

TEST_F(BoardPort, DiscardKeepsRepliesStillOnTheWire) {
    port.send(bytes({0xFF}));
    board.faults().setWireBaud(9600);
    port.send(bytes({0xFF}));
    port.discard();
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_EQ(port.waitForByte(clock, clock.now() + 1'000'000), WaitResult::ByteReady);
    EXPECT_EQ(port.readByte(), 0x55);
    EXPECT_EQ(port.readByte(), -1);
}
