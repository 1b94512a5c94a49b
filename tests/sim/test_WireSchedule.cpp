#include <gtest/gtest.h>
#include <vector>

#include "WireSchedule.h"

using Nanos = sim::WireSchedule::Nanos;

// Each direction carries one byte at a time: a burst queues, and an answer leaves only once
// its question has fully arrived.
TEST(WireSchedule, BytesQueueEachWayAndAnAnswerFollowsItsQuestion) {
    sim::WireSchedule wire;
    const Nanos byte = 1'041'667; // 10 bits at 9600 baud
    std::vector<Nanos> seen;
    for (int i = 0; i < 2; ++i)
        seen.push_back(wire.arrival(0, byte));
    for (int i = 0; i < 2; ++i)
        seen.push_back(wire.answerBack(byte, byte));
    EXPECT_EQ(seen, (std::vector<Nanos>{byte, 2 * byte, 2 * byte, 3 * byte}));
    wire.reset();
    EXPECT_EQ(wire.arrival(5, byte) + wire.answerBack(0, byte), 5 + 2 * byte);
}
