#include <QRegularExpression>

#include "CtlAgainstSim.h"

namespace {

struct RoundTrip {
    const char* address;
    const char* written; // as typed
    const char* read;    // as read back
    const char* board;   // the same datum as the simulator names it
    qint64 onBoard;
};

void PrintTo(const RoundTrip& row, std::ostream* out) {
    *out << row.address << '=' << row.written;
}

class CtlRoundTrip : public CtlAgainstSim, public testing::WithParamInterface<RoundTrip> {};

TEST_P(CtlRoundTrip, WritesThenReadsBackTheSameValue) {
    const RoundTrip& row = GetParam();
    const CtlProcess::Result write = ctl({"write", row.address, row.written});
    ASSERT_TRUE(write.finished);
    EXPECT_EQ(write.exitCode, 0);
    EXPECT_EQ(write.out, "");
    EXPECT_EQ(write.err, "");
    EXPECT_EQ(sim.value(row.board), row.onBoard);

    const CtlProcess::Result read = ctl({"read", row.address});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.out, QString::fromUtf8(row.read) + u'\n');
    EXPECT_EQ(read.err, "");
}

INSTANTIATE_TEST_SUITE_P(Values, CtlRoundTrip,
                         // The values the link composes itself are checked in its own tests; these
                         // pass through ctl as typed.
                         testing::Values(RoundTrip{"W1024", "65,535", "65535", "W1024", 65535},
                                         RoundTrip{"w1026", "12.5", "125", "W1026", 125},
                                         RoundTrip{"W1028", "", "0", "W1028", 0}));

TEST_F(CtlAgainstSim, BitAndFlagWritesChangeOnlyTheirBit) {
    ASSERT_EQ(sim.control("set B1030 90"), "ok"); // 0101 1010
    ASSERT_EQ(sim.control("set B36 0"), "ok");
    struct Step {
        const char* address;
        const char* value;
        const char* byte;
        qint64 expected;
    } steps[] = {
        {"B1030.0", "1", "B1030", 91}, {"B1030.6", "0", "B1030", 27},
        {"B1030.6", "0", "B1030", 27}, {"b1030.7", "1", "B1030", 155},
        {"F34", "1", "B36", 4},        {"F39", "1", "B36", 132},
        {"F34", "0", "B36", 128},
    };
    for (const Step& step : steps) {
        const CtlProcess::Result write = ctl({"write", step.address, step.value});
        EXPECT_EQ(write.exitCode, 0) << step.address;
        EXPECT_EQ(sim.value(step.byte), step.expected) << step.address << "=" << step.value;
    }
    const CtlProcess::Result read = ctl({"read", "B1030.7", "B1030.6", "F39", "F34", "B36"});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.out, "1\n0\n1\n0\n128\n");
}

TEST_F(CtlAgainstSim, WatchPrintsOneLinePerRoundWithTheValuesSeparatedByABlank) {
    ASSERT_EQ(sim.control("set W1022 300"), "ok");
    ASSERT_EQ(sim.control("set B1020 255"), "ok");
    ASSERT_EQ(sim.control("speed 150"), "ok");
    const CtlProcess::Result watch =
        ctl({"watch", "--count", "3", "--interval", "20", "W1022", "B1020", "W182", "W180"});
    EXPECT_EQ(watch.exitCode, 0);
    const QStringList lines = watch.out.split(u'\n');
    ASSERT_EQ(lines.size(), 4) << watch.out.toStdString(); // three rounds and the final newline
    const QRegularExpression round(QStringLiteral("^300 255 150 (\\d+)$"));
    for (int i = 0; i < 3; ++i) {
        const QRegularExpressionMatch match = round.match(lines[i]);
        ASSERT_TRUE(match.hasMatch()) << lines[i].toStdString();
        EXPECT_LT(match.captured(1).toInt(), 360); // a crank position in degrees
    }
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(watch.err, "");
}

TEST_F(CtlAgainstSim, WatchEndsOnSigtermAfterClosingTheLink) {
    ASSERT_EQ(sim.control("set W1022 77"), "ok");
    CtlProcess watch;
    startCtl(watch, {"--trace", "watch", "--interval", "50", "W1022"});
    ASSERT_TRUE(watch.waitForOutLines(2));
    watch.terminate();
    const CtlProcess::Result result = watch.finish();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.endsWith("77\n"));
    for (const QString& line : result.out.split(u'\n', Qt::SkipEmptyParts))
        EXPECT_EQ(line, "77");
    // Closing greets the board once more: attention and its acknowledge end the traffic.
    const QStringList traffic = result.errLines();
    ASSERT_GE(traffic.size(), 2);
    EXPECT_EQ(traffic.mid(traffic.size() - 2), QStringList({"> FF", "< 55"}));
}

TEST_F(CtlAgainstSim, TraceShowsEveryByteOfARead) {
    ASSERT_EQ(sim.control("set W1022 4660"), "ok"); // 0x1234
    const CtlProcess::Result read = ctl({"--trace", "read", "W1022"});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.out, "4660\n");
    const QStringList expected = {
        "> FF", "< 55",                 // greeting on opening
        "> FF", "< 55", "> 01", "< 55", // read mode
        "> 03", "< 03", "> FE", "< 34", // low byte at 1022
        "> 03", "< 03", "> FF", "< 12", // high byte at 1023: FF is an address here
        "> FF", "< 55",                 // greeting on closing
    };
    EXPECT_EQ(read.errLines(), expected);
}

} // namespace
