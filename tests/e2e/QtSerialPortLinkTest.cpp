#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "QStringPrinter.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "ScriptedPrompter.h"
#include "SimulatorProcess.h"
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

    SimulatorProcess sim{3};
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
