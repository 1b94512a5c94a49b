#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "CtlProcess.h"
#include "QStringPrinter.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "ScriptedPrompter.h"
#include "SimulatorProcess.h"
#include "SteadyClock.h"
#include "TempFolder.h"

// The real serial port, reached through the alias in the application folder's Support folder.
namespace {

const QString SettingsFile = QStringLiteral("Support/RSPort.cfg");

void writeSettings(const SimulatorProcess& sim, const QByteArray& bytes) {
    QDir(sim.appDir()).mkpath(QStringLiteral("Support"));
    QFile file(QDir(sim.appDir()).filePath(SettingsFile));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct Setting {
    const char* name;
    int simPort;
    std::vector<const char*> options; // "@PATH" stands for the simulator's device
    const char* before;               // RSPort.cfg; nullptr: none
    const char* after;
};

const Setting settings[] = {
    {"FilePicksPort7", 7, {}, " 7 , 19200 \r\n", " 7 , 19200 \r\n"},
    {"PortOptionLeavesTheFile", 4, {"--port", "4"}, "1,9600\r\n", "1,9600\r\n"},
    {"PortOptionCreatesNoFile", 4, {"--port", "4"}, nullptr, nullptr},
    {"SpeedOptionLeavesTheFile", 4, {"--speed", "19200"}, "4,9600\r\n", "4,9600\r\n"},
    {"DeviceNeedsNoAlias", 4, {"--device", "@PATH"}, nullptr, nullptr},
};

// Without --port, --device or --speed the settings file picks the line, as in the program
// (whose link creates it when missing); otherwise it is neither created nor rewritten.
TEST(CtlSettingsFile, PicksTheLineAndIsLeftAsExpected) {
    for (const Setting& row : settings) {
        SCOPED_TRACE(row.name);
        SimulatorProcess sim(row.simPort);
        ASSERT_EQ(sim.failure(), QString());
        ASSERT_EQ(sim.control("set W1022 33"), "ok");
        if (row.before)
            writeSettings(sim, row.before);
        QStringList arguments = {"--appdir", sim.appDir()};
        for (const char* option : row.options)
            arguments.append(option == std::string_view("@PATH") ? sim.device()
                                                                 : QString::fromUtf8(option));
        const CtlProcess::Result read = CtlProcess::run(arguments + QStringList{"read", "W1022"});
        EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
        EXPECT_EQ(read.out, "33\n");
        QFile file(QDir(sim.appDir()).filePath(SettingsFile));
        EXPECT_EQ(file.open(QIODevice::ReadOnly) ? file.readAll() : TempFolder::Missing,
                  row.after ? QByteArray(row.after) : TempFolder::Missing);
    }
}

// The link exactly as the program wires it: a line that drops fails at once, reported once.
TEST(QtSerialPortLink, DroppedLineFailsAtOnceAndIsReportedOnce) {
    SimulatorProcess sim(3);
    ASSERT_EQ(sim.failure(), QString());
    writeSettings(sim, "3,19200\r\n");
    SteadyClock clock;
    ScriptedPrompter prompter;
    QtSerialPort port(sim.appDir());
    RSComm link(sim.appDir(), clock, prompter);
    link.OpenRSComm(port);
    ASSERT_TRUE(link.OnlineMode);
    EXPECT_EQ(port.devicePath(), QDir(sim.appDir()).filePath(QStringLiteral("Support/COM3")));
    ASSERT_EQ(sim.control("drop"), "ok");
    EXPECT_EQ(link.RSRead("W1022"), "0");
    EXPECT_TRUE(link.CommError);
    EXPECT_FALSE(port.isOpen());
    link.RSWrite("W1022", "1");
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, "WARNING - Communication Error!");
    EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::OK);
}

} // namespace
