#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "QStringPrinter.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "ScriptedPrompter.h"
#include "SimProcess.h"
#include "SteadyClock.h"

namespace {

// The link exactly as the program wires it, against the simulator on a pseudo-terminal.
class QtSerialPortLink : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(sim.failure(), QString());
        QDir(sim.appDir()).mkpath(QStringLiteral("Support"));
        QFile settings(QDir(sim.appDir()).filePath(QStringLiteral("Support/RSPort.cfg")));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("3,19200\r\n");
    }

    SimProcess sim{3};
    SteadyClock clock;
    ScriptedPrompter prompter;
    QtSerialPort port{sim.appDir()};
    RSComm link{sim.appDir(), clock, prompter};
};

TEST_F(QtSerialPortLink, OpensThePortOfTheSettingsFileThroughItsAlias) {
    link.OpenRSComm(port);
    EXPECT_TRUE(link.OnlineMode);
    EXPECT_FALSE(link.CommError);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.portNumber(), 3);
    EXPECT_EQ(port.settings(), "19200,n,8,1");
    EXPECT_EQ(port.devicePath(), QDir(sim.appDir()).filePath(QStringLiteral("Support/COM3")));
    link.CloseRSComm();
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(QtSerialPortLink, WritesAndReadsEveryKindOfAddress) {
    ASSERT_EQ(sim.control("set B1030 90"), "ok");
    link.OpenRSComm(port);
    ASSERT_TRUE(link.OnlineMode);
    link.RSWrite("W1024", "300");
    link.RSWrite("D2000", "655359999");
    link.RSWrite("B1030.0", "1");
    EXPECT_EQ(link.LinkMode(), 2);
    EXPECT_EQ(link.RSRead("W1024"), "300");
    EXPECT_EQ(link.RSRead("D2000"), "655359999");
    EXPECT_EQ(link.RSRead("B1030"), "91");
    EXPECT_EQ(link.RSRead("B1030.0"), "1");
    EXPECT_EQ(link.LinkMode(), 1);
    EXPECT_FALSE(link.CommError);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(sim.value("W1024"), 300);
    EXPECT_EQ(sim.value("D2000"), 655359999);
    EXPECT_EQ(sim.value("B1030"), 91);
}

TEST_F(QtSerialPortLink, ReadsTheRunningMachine) {
    ASSERT_EQ(sim.control("speed 150"), "ok");
    link.OpenRSComm(port);
    ASSERT_TRUE(link.OnlineMode);
    EXPECT_EQ(link.RSRead("W182"), "150");
    for (int i = 0; i < 20; ++i)
        EXPECT_LT(link.RSRead("W180").toInt(), 360);
    EXPECT_FALSE(link.CommError);
}

TEST_F(QtSerialPortLink, SilentBoardAsksOnceAfterTheTimeoutsAndLatchesCommError) {
    link.OpenRSComm(port);
    ASSERT_TRUE(link.OnlineMode);
    ASSERT_EQ(sim.control("set W1022 4660"), "ok");
    ASSERT_EQ(sim.control("fault silence on"), "ok");
    EXPECT_EQ(link.RSRead("W1022"), "0");
    EXPECT_TRUE(link.CommError);
    EXPECT_TRUE(link.CommErrorAlert);
    EXPECT_EQ(link.LinkMode(), 0);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, "WARNING - Communication Error!");
    EXPECT_EQ(prompter.last().text, "Cannot Communicate with Target Board.\rVerify RS-232 Cable is "
                                    "Connected Between\rCOMM Port and PROG Port.");
    EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::RetryCancel);

    // Latched: nothing more is tried or asked until the link is opened again.
    ASSERT_EQ(sim.control("fault silence off"), "ok");
    EXPECT_EQ(link.RSRead("W1022"), "0");
    EXPECT_EQ(prompter.count(), 1);
    link.OpenRSComm(port);
    EXPECT_TRUE(link.OnlineMode);
    EXPECT_EQ(link.RSRead("W1022"), "4660");
}

TEST_F(QtSerialPortLink, DroppedLineFailsAtOnceAndIsReportedOnce) {
    link.OpenRSComm(port);
    ASSERT_TRUE(link.OnlineMode);
    ASSERT_EQ(sim.control("drop"), "ok");
    EXPECT_EQ(link.RSRead("W1022"), "0");
    EXPECT_TRUE(link.CommError);
    EXPECT_FALSE(port.isOpen());
    link.RSWrite("W1022", "1");
    EXPECT_EQ(link.RSRead("W182"), "0");
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, "WARNING - Communication Error!");
    EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::OK);
}

} // namespace
