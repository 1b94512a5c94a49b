#include "CtlAgainstSim.h"

namespace {

const QString CannotCommunicate = QStringLiteral(
    "WARNING - Communication Error!: Cannot Communicate with Target Board. | Verify RS-232 Cable "
    "is Connected Between | COMM Port and PROG Port.");

struct Refused {
    const char* address;
    const char* value;
    const char* line;
};

void PrintTo(const Refused& row, std::ostream* out) {
    *out << row.address << '=' << row.value;
}

class CtlRefusedValue : public CtlAgainstSim, public testing::WithParamInterface<Refused> {};

TEST_P(CtlRefusedValue, ExitsWithOneAndLeavesTheBoardAlone) {
    ASSERT_EQ(sim.control("set W1022 4660"), "ok");
    ASSERT_EQ(sim.control("set B1020 165"), "ok");
    ASSERT_EQ(sim.control("set D2000 5"), "ok");
    const CtlProcess::Result write = ctl({"write", GetParam().address, GetParam().value});
    EXPECT_EQ(write.exitCode, 1);
    EXPECT_EQ(write.out, "");
    EXPECT_EQ(write.err, QString::fromUtf8(GetParam().line) + u'\n');
    EXPECT_EQ(sim.value("W1022"), 4660);
    EXPECT_EQ(sim.value("B1020"), 165);
    EXPECT_EQ(sim.value("D2000"), 5);
}

INSTANTIATE_TEST_SUITE_P(
    EntryAlerts, CtlRefusedValue,
    testing::Values(
        Refused{"W1022", "70000", "ENTRY ALERT: Error: | Entry out of Range (0-65,535)."},
        Refused{"B1020.0", "2", "ENTRY ALERT: Error: | Enter 0 or 1 Only."},
        Refused{"W1022", "0x10", "ENTRY ALERT: Error: | Only Numerical Data Allowed."}));

struct Misuse {
    std::vector<const char*> arguments;
    const char* line;
};

void PrintTo(const Misuse& row, std::ostream* out) {
    for (const char* argument : row.arguments)
        *out << '[' << argument << ']';
}

class CtlBadUsage : public CtlAgainstSim, public testing::WithParamInterface<Misuse> {};

// Checked before the line is opened: with --trace on, not one byte may show.
TEST_P(CtlBadUsage, ExitsWith64AndOneLineWithoutTouchingTheLine) {
    QStringList arguments = {"--trace"};
    for (const char* argument : GetParam().arguments)
        arguments.append(QString::fromUtf8(argument));
    const CtlProcess::Result result = ctl(arguments);
    EXPECT_EQ(result.exitCode, 64);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, QString::fromUtf8(GetParam().line) + u'\n');
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, CtlBadUsage,
    testing::Values(
        Misuse{{"read", "B10.x"},
               "vorna7ctl: malformed address 'B10.x': exactly one bit digit must follow the point"},
        Misuse{{"read", "W1022", "B1020.8"},
               "vorna7ctl: malformed address 'B1020.8': bit number above 7"},
        Misuse{{"write", "", "1"}, "vorna7ctl: malformed address '': empty address"},
        Misuse{{"watch", "--count", "2", "W70000"},
               "vorna7ctl: malformed address 'W70000': address reaches beyond byte 65535"},
        Misuse{{"--speed", "4800", "read", "W1022"},
               "vorna7ctl: --speed must be 9600 or 19200, not '4800'"}));

TEST_F(CtlAgainstSim, ReportsAPortThatCannotBeOpenedAndExitsWithTwo) {
    const CtlProcess::Result read =
        ctl({"--device", sim.appDir() + "/no-such-tty", "read", "W1022"});
    EXPECT_EQ(read.exitCode, 2);
    EXPECT_EQ(read.out, "");
    ASSERT_EQ(read.errLines().size(), 1) << read.err.toStdString();
    EXPECT_TRUE(read.err.startsWith("Comm Port Error: Error Number = ")) << read.err.toStdString();
    EXPECT_TRUE(read.err.contains(" | Error Source = ")) << read.err.toStdString();
}

// One retry asks the board twice; each failed try reports once.
TEST_F(CtlAgainstSim, SilentBoardIsAskedAsOftenAsRetriesAllowThenExitsWithTwo) {
    ASSERT_EQ(sim.control("fault silence on"), "ok");
    const CtlProcess::Result read = ctl({"--retries", "1", "read", "W1022"});
    ASSERT_TRUE(read.finished);
    EXPECT_EQ(read.exitCode, 2);
    EXPECT_EQ(read.out, "");
    EXPECT_EQ(read.errLines(), QStringList(2, CannotCommunicate));
}

TEST_F(CtlAgainstSim, RetryCarriesOnOnceTheBoardAnswersAgain) {
    ASSERT_EQ(sim.control("set W1022 4660"), "ok");
    ASSERT_EQ(sim.control("fault silence on"), "ok");
    CtlProcess read;
    startCtl(read, {"--retries", "5", "read", "W1022"});
    ASSERT_TRUE(read.waitForErr(CannotCommunicate));
    ASSERT_EQ(sim.control("fault silence off"), "ok");
    const CtlProcess::Result result = read.finish();
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "4660\n");
    for (const QString& line : result.errLines())
        EXPECT_EQ(line, CannotCommunicate);
}

TEST_F(CtlAgainstSim, WatchStopsWithTwoWhenTheBoardFallsSilent) {
    ASSERT_EQ(sim.control("set W1022 9"), "ok");
    CtlProcess watch;
    startCtl(watch, {"watch", "--interval", "20", "W1022"});
    ASSERT_TRUE(watch.waitForOutLines(1));
    ASSERT_EQ(sim.control("fault silence on"), "ok");
    const CtlProcess::Result result = watch.finish();
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.errLines(), QStringList{CannotCommunicate});
    // Every line printed is a value read; the failed round prints nothing.
    for (const QString& line : result.out.split(u'\n', Qt::SkipEmptyParts))
        EXPECT_EQ(line, "9");
}

struct Misbehaving {
    const char* fault;
    std::vector<const char*> command;
    int exitCode;
    const char* err;
    qint64 w1022; // on the board afterwards
};

void PrintTo(const Misbehaving& row, std::ostream* out) {
    *out << row.fault << ':';
    for (const char* argument : row.command)
        *out << ' ' << argument;
}

class CtlMisbehavingBoard : public CtlAgainstSim,
                            public testing::WithParamInterface<Misbehaving> {};

TEST_P(CtlMisbehavingBoard, TellsAFailedExchangeFromASuccess) {
    ASSERT_EQ(sim.control("set W1022 4660"), "ok");
    ASSERT_EQ(sim.control(QString::fromUtf8(GetParam().fault)), "ok");
    QStringList arguments;
    for (const char* argument : GetParam().command)
        arguments.append(QString::fromUtf8(argument));
    const CtlProcess::Result result = ctl(arguments);
    EXPECT_EQ(result.exitCode, GetParam().exitCode);
    EXPECT_EQ(result.err, QString::fromUtf8(GetParam().err));
    ASSERT_EQ(sim.control("fault clear"), "ok");
    EXPECT_EQ(sim.value("W1022"), GetParam().w1022);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CtlMisbehavingBoard,
    testing::Values(
        // One spoiled echo: the link repeats the whole write once, and that one succeeds.
        Misbehaving{"fault wrong-echo 1", {"write", "W1022", "5"}, 0, "", 5},
        Misbehaving{"fault wrong-echo 1 after 3", {"write", "W1022", "6"}, 0, "", 6},
        Misbehaving{"fault wrong-ack on",
                    {"read", "W1022"},
                    2,
                    "WARNING - Communication Error!: Cannot Set PLC Mode Within Target Board.\n",
                    4660}));

} // namespace
