#include "CtlAgainstSim.h"

// vorna7ctl against the simulator on a pseudo-terminal: success, a silent board, and SIGTERM
// (status 1 and 64 are seen in the program and data tests).
// What each command prints and returns is checked in the ctl tests on a scripted line.
namespace {

TEST_F(CtlAgainstSim, ExitsWithZeroAfterAWriteAndATracedRead) {
    const CtlProcess::Result write = ctl({"write", "W1024", "65,535"});
    EXPECT_EQ(write.exitCode, 0);
    EXPECT_EQ(write.out + write.err, "");
    EXPECT_EQ(sim.value("W1024"), 65535);

    ASSERT_EQ(sim.control("set W1022 4660"), "ok"); // 0x1234
    const CtlProcess::Result read = ctl({"--trace", "read", "W1022"});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.out, "4660\n");
    // Each line after its time: failure mark, operation, bytes sent, bytes received, outcome.
    QStringList traced;
    for (const QString& line : read.errLines())
        traced.append(line.section(u'\t', 1));
    const QStringList expected = {
        "\tline open\t> FF\t< 55\tok",
        // read mode, then the low byte at 1022 and the high byte at 1023 (FF is an address here)
        "\tread W1022 = 4660\t> FF 01 03 FE 03 FF\t< 55 55 03 34 03 12\tok",
        "\tline close\t> FF\t< 55\tok",
    };
    EXPECT_EQ(traced, expected);
}

// One retry asks the board twice; each failed try reports once.
TEST_F(CtlAgainstSim, ExitsWithTwoWhenTheBoardStaysSilentThroughTheRetries) {
    ASSERT_EQ(sim.control("fault silence on"), "ok");
    const CtlProcess::Result read = ctl({"--retries", "1", "read", "W1022"});
    ASSERT_TRUE(read.finished);
    EXPECT_EQ(read.exitCode, 2);
    EXPECT_EQ(read.out, "");
    EXPECT_EQ(read.errLines().filter(QStringLiteral("Cannot Communicate")).size(), 2);
    EXPECT_EQ(read.errLines().size(), 2);
}

TEST_F(CtlAgainstSim, WatchEndsOnSigtermAfterClosingTheLink) {
    ASSERT_EQ(sim.control("set W1022 77"), "ok");
    CtlProcess watch;
    watch.start({"--appdir", sim.appDir(), "--trace", "watch", "--interval", "50", "W1022"});
    ASSERT_TRUE(watch.waitForOutLines(2));
    watch.terminate();
    const CtlProcess::Result result = watch.finish();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    for (const QString& line : result.out.split(u'\n', Qt::SkipEmptyParts))
        EXPECT_EQ(line, "77");
    // Closing greets the board once more: attention and its acknowledge end the traffic.
    const QStringList traffic = result.errLines();
    ASSERT_GE(traffic.size(), 2);
    EXPECT_TRUE(traffic.last().endsWith(QStringLiteral("\tline close\t> FF\t< 55\tok")))
        << traffic.last().toStdString();
}

} // namespace
