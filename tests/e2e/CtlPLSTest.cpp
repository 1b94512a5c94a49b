#include <QDir>
#include <QFile>

#include "CtlAgainstSim.h"

// The pls and board commands of vorna7ctl against vorna7-sim on its pseudo-terminal.
namespace {

class CtlPLS : public CtlAgainstSim {
protected:
    void SetUp() override {
        CtlAgainstSim::SetUp();
        ASSERT_EQ(sim.control("speed 0"), "ok"); // the crank stays where the test puts it
    }
    void expectSuccess(const QStringList& arguments, const QString& out = {}) {
        const CtlProcess::Result result = ctl(arguments);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 0) << arguments.join(u' ').toStdString();
        EXPECT_EQ(result.out, out) << arguments.join(u' ').toStdString();
        EXPECT_EQ(result.err, "");
    }
};

} // namespace

TEST_F(CtlPLS, ProgrammedChannelsAreHeldByTheBoardAndRecalled) {
    expectSuccess({"pls", "set", "3", "300", "20"});
    EXPECT_EQ(sim.control("channel 3"), "ok setpoints 300 20");
    expectSuccess({"pls", "recall", "3"}, "1 300\n0 20\n");

    expectSuccess({"pls", "pulse", "4", "10", "20", "300"});
    EXPECT_EQ(sim.control("channel 4"), "ok pulse-train 300 10 20");
    expectSuccess({"pls", "recall", "4"}, "3 300\n");

    expectSuccess({"pls", "clear", "3"});
    EXPECT_EQ(sim.control("channel 3"), "ok cleared");
    expectSuccess({"pls", "recall", "3"}, "2 0\n");
}

TEST_F(CtlPLS, OffsetMakesThePositionReadAsAsked) {
    ASSERT_EQ(sim.control("set W180 90"), "ok");
    expectSuccess({"pls", "offset", "0"});
    EXPECT_EQ(sim.value("W188"), 90);
    expectSuccess({"pls", "offset", "360"});
    expectSuccess({"pls", "offset", "15"});
    expectSuccess({"pls", "status"}, "scale=360\noffset=75\nposition=15\nrpm=0\n");
}

TEST_F(CtlPLS, ConfigPrintsTheNineteenValuesInTheBoardsOrder) {
    ASSERT_EQ(sim.control("pls-config 3 10 11 12 13 0 20 21 22 23 0 0 0 0 0 0 0 0 6 0 0 0 0 0"),
              "ok");
    expectSuccess({"pls", "config"}, "6 3 10 11 12 13 20 21 22 23 0 0 0 0 0 0 0 0 0\n");
}

namespace {

struct PLSRefusal {
    std::vector<const char*> arguments;
    const char* line;
};

void PrintTo(const PLSRefusal& row, std::ostream* out) {
    for (const char* argument : row.arguments)
        *out << '[' << argument << ']';
}

class CtlPLSRefused : public CtlPLS, public testing::WithParamInterface<PLSRefusal> {};

} // namespace

TEST_P(CtlPLSRefused, ExitsWithOneAndLeavesThePLSAlone) {
    ASSERT_EQ(sim.control("set W188 7"), "ok");
    QStringList arguments;
    for (const char* argument : GetParam().arguments)
        arguments.append(QString::fromUtf8(argument));
    const CtlProcess::Result result = ctl(arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, QString::fromUtf8(GetParam().line) + u'\n');
    EXPECT_EQ(sim.control("channel 1"), "ok setpoints 200 220");
    EXPECT_EQ(sim.value("W188"), 7);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, CtlPLSRefused,
    testing::Values(
        PLSRefusal{{"pls", "pulse", "1", "10", "25", "0"},
                   "PLS Pulse Train: ON Division Plus OFF Division | Must be a Multiple of 360. | "
                   " | PLS Channel will not be Programmed."},
        PLSRefusal{{"pls", "offset", "361"},
                   "Set PLS Offset: Desired Position cannot be greater than Scale Factor of 360. "
                   "|  | PLS Offset will not be Programmed."}));

TEST(CtlPLSNeverReady, ReportsTheReadyMessageAndExitsWithTwo) {
    SimulatorProcess sim(1, {"--pls-not-ready"});
    ASSERT_EQ(sim.failure(), QString());
    const CtlProcess::Result result =
        CtlProcess::run({"--appdir", sim.appDir(), "pls", "clear", "2"});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "WARNING - Communication Error!: Cannot Determine PLS READY Mode Within "
                          "Target Board.\n");
    EXPECT_EQ(sim.control("channel 2"), "ok cleared") << "taken in, only never reported ready";
}

TEST_F(CtlPLS, BoardPrintsIdentityAndTheFaultWithItsDescription) {
    QDir(sim.appDir()).mkpath(QStringLiteral("Support"));
    QFile faults(QDir(sim.appDir()).filePath(QStringLiteral("Support/FaultErrCodes.txt")));
    ASSERT_TRUE(faults.open(QIODevice::WriteOnly));
    faults.write("5C,\"Brake slow, check wear\"\r\n");
    faults.close();
    ASSERT_EQ(sim.control("firmware 41"), "ok");
    ASSERT_EQ(sim.control("fault-code 92"), "ok");
    expectSuccess({"board", "--type", "69"},
                  "firmware=41\nboard=K6674(PLS)\nfault=92\n"
                  "description=Fault Code (5CH): Brake slow, check wear\n");
}
