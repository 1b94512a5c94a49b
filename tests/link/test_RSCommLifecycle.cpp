#include <QDir>

#include "BoardRig.h"
#include "ForbiddenDevice.h"
#include "PseudoTerminal.h"
#include "QStringPrinter.h"
#include "QtSerialPort.h"

using LinkOnBoard = BoardRigTest;

// ---- The settings file ---------------------------------------------------------------------

// Opening greets the board with one attention byte.
TEST_F(LinkOnBoard, WithoutSettingsFileOrFolderOpeningCreatesTheDefaults) {
    link.OpenRSComm(port);
    EXPECT_EQ(settingsFile(), QByteArray("1,9600\r\n"));
    EXPECT_EQ(port.portNumber(), 1);
    EXPECT_EQ(port.settings(), QStringLiteral("9600,n,8,1"));
    EXPECT_EQ(wire(), "FF/55");
    EXPECT_TRUE(link.OnlineMode);
    EXPECT_FALSE(link.CommError);
    EXPECT_EQ(link.LinkMode(), 0);
    EXPECT_EQ(link.CommSettingsFile(), folder.filePath(QStringLiteral("Support/RSPort.cfg")));
}

TEST_F(LinkOnBoard, SettingsFileIsReadClampedAndLeftAsItWas) {
    struct Case {
        QByteArray content;
        int port;
        const char* settings;
        QByteArray afterwards;
    } cases[] = {
        {"", 1, "9600,n,8,1", "1,9600\r\n"},
        {"0,4800\r\n", 1, "9600,n,8,1", "0,4800\r\n"},
        {"120,19200\r\n", 99, "19200,n,8,1", "120,19200\r\n"},
        {" 7 , 19200 \r\n", 7, "19200,n,8,1", " 7 , 19200 \r\n"},
        {"3,19200", 3, "19200,n,8,1", "3,19200"},
        {"99999999999999999999,9600\r\n", 99, "9600,n,8,1", "99999999999999999999,9600\r\n"},
        {"abc\r\n", 1, "9600,n,8,1", "abc\r\n"},
        {"12,19200\r\n5,9600\r\n", 12, "19200,n,8,1", "12,19200\r\n5,9600\r\n"},
    };
    for (const Case& c : cases) {
        writeSettings(c.content);
        link.OpenRSComm(port);
        EXPECT_EQ(port.portNumber(), c.port) << c.content.constData();
        EXPECT_EQ(port.settings(), QString::fromLatin1(c.settings)) << c.content.constData();
        EXPECT_EQ(settingsFile(), c.afterwards) << c.content.constData();
        link.CloseRSComm();
    }
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(LinkOnBoard, SupportFolderIsFoundWhateverItsCase) {
    ASSERT_TRUE(folder.write(QStringLiteral("support/RSPort.cfg"), "5,19200\r\n"));
    link.OpenRSComm(port);
    EXPECT_EQ(port.portNumber(), 5);
    EXPECT_FALSE(QDir(folder.filePath(QStringLiteral("Support"))).exists());
}

TEST_F(LinkOnBoard, UnreadableSettingsAskRetryOrCancelAndCancelLeavesThePortClosed) {
    // A folder where the file should be cannot be read as one.
    QDir(folder.path()).mkpath(QStringLiteral("Support/RSPort.cfg"));
    link.OpenRSComm(port);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("RSComm InitializeRSComm"));
    EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("Error Number = ")));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("\r\n\r\n")));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Critical);
    EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::RetryCancel);
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.openCount(), 0);
    EXPECT_FALSE(link.CommError);

    // Retry once the problem is mended opens the line.
    prompter.answerNext(Prompter::Retry);
    prompter.onAsk([&](const ScriptedPrompter::Message&) {
        QDir(folder.filePath(QStringLiteral("Support/RSPort.cfg"))).removeRecursively();
    });
    link.OpenRSComm(port);
    EXPECT_EQ(prompter.count(), 2);
    EXPECT_TRUE(link.OnlineMode);
    EXPECT_EQ(settingsFile(), QByteArray("1,9600\r\n"));
}

// ---- Opening and closing -------------------------------------------------------------------

TEST_F(LinkOnBoard, PortInUseShowsCommPortErrorAndLeavesTheLinkFailed) {
    port.refuseOpen(SerialPort::Error{8005, QStringLiteral("QSerialPort"),
                                      QStringLiteral("Port already open")});
    link.OpenRSComm(port);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.lastShown(),
              ScriptedPrompter::Shown(
                  "Comm Port Error",
                  "Error Number = 8005\r\nError Source = QSerialPort\r\n\r\nPort already open",
                  Prompter::Icon::Critical, Prompter::Buttons::OK));
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_TRUE(link.CommError);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(wire(), "");
}

TEST_F(LinkOnBoard, SilentBoardOnOpeningEndsOfflineAfterCancel) {
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    link.OpenRSComm(port);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text.left(37),
              QStringLiteral("Cannot Communicate with Target Board."));
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_TRUE(link.CommError);
    EXPECT_TRUE(port.isOpen());
}

TEST_F(LinkOnBoard, ClosingSaysGoodbyeOnlyWhenTheLinkIsHealthy) {
    goOnline();
    link.RSRead(QStringLiteral("B1020"));
    port.clearWire();
    link.CloseRSComm();
    EXPECT_EQ(wire(), "FF/55");
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_EQ(link.LinkMode(), 0);

    // Already closed: only the state is cleared.
    link.OnlineMode = true;
    link.CloseRSComm();
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_EQ(wire(), "FF/55");

    // After a failure the port is closed without a byte.
    link.OpenRSComm(port);
    port.clearWire();
    link.CommError = true;
    link.CloseRSComm();
    EXPECT_EQ(wire(), "");
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(link.CommError) << "closing does not clear the latch";
}

// ---- Port numbers and devices --------------------------------------------------------------

TEST(QtSerialPortNames, PortNumberLeadsToTheAliasElseThePlatformPortAndAMissingOneIsNamed) {
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("Support"));
    EXPECT_EQ(QtSerialPort::devicePathFor(folder.path(), 1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(QtSerialPort::devicePathFor(folder.path(), 12), QStringLiteral("/dev/ttyS11"));
    const QString alias = folder.filePath(QStringLiteral("Support/COM3"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null-not-there"), alias));
    EXPECT_EQ(QtSerialPort::devicePathFor(folder.path(), 3), alias)
        << "a dangling alias is still the chosen device, so opening reports it";

    // Opening a missing device fails with a readable reason.
    QtSerialPort port(folder.path());
    port.setDevicePath(folder.filePath(QStringLiteral("no-such-device")));
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(port.lastError().description.contains(QStringLiteral("no-such-device")));
    EXPECT_EQ(port.lastError().source, QStringLiteral("QSerialPort"));
}

// The two refusals a first run meets: a device the user may not use, and one another program
// holds (here this test's own first port).
TEST(QtSerialPortNames, ARefusedOpenSaysWhetherTheUserOrAnotherProgramHoldsTheDevice) {
    sim::PseudoTerminal terminal;
    std::string error;
    ASSERT_TRUE(terminal.open(error)) << error;
    const QString pty = QString::fromStdString(terminal.devicePath());
    TempFolder folder;
    QtSerialPort holder(folder.path()), second(folder.path());
    holder.setDevicePath(pty);
    second.setDevicePath(pty);
    ASSERT_TRUE(holder.open());
    EXPECT_FALSE(second.open());
    EXPECT_TRUE(second.lastError().description.endsWith(
        QStringLiteral("\r\nThe port may be in use by another program.")))
        << second.lastError().description.toStdString();
    holder.close();

    const ForbiddenDevice device(folder);
    if (!device.ready())
        GTEST_SKIP() << "this user cannot be kept from a file here";
    QtSerialPort refused(folder.path());
    refused.setDevicePath(device.path());
    EXPECT_FALSE(refused.open());
    EXPECT_TRUE(refused.lastError().description.endsWith(
        QStringLiteral("\r\nThis user may not use the device. Add the user to the group that owns "
                       "%1 (usually \"dialout\"), then log in again.")
            .arg(device.path())))
        << refused.lastError().description.toStdString();
}
