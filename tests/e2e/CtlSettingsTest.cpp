#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CtlProcess.h"
#include "QStringPrinter.h"
#include "SimProcess.h"

namespace {

QString settingsFile(const QString& appDir) {
    return QDir(appDir).filePath(QStringLiteral("Support/RSPort.cfg"));
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeSettings(const QString& appDir, const QByteArray& bytes) {
    QDir(appDir).mkpath(QStringLiteral("Support"));
    QFile file(settingsFile(appDir));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(CtlSettings, WithoutPortOrDeviceUsesTheSettingsFileLikeTheProgram) {
    SimProcess sim(7);
    ASSERT_EQ(sim.failure(), QString());
    ASSERT_EQ(sim.control("set W1022 31"), "ok");
    writeSettings(sim.appDir(), " 7 , 19200 \r\n");
    const CtlProcess::Result read = CtlProcess::run({"--appdir", sim.appDir(), "read", "W1022"});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.out, "31\n");
    EXPECT_EQ(contents(settingsFile(sim.appDir())), " 7 , 19200 \r\n");
}

TEST(CtlSettings, WithoutAnySettingsFileCreatesTheDefaultOneAndUsesPortOne) {
    SimProcess sim(1);
    ASSERT_EQ(sim.failure(), QString());
    ASSERT_EQ(sim.control("set W1022 32"), "ok");
    const CtlProcess::Result read = CtlProcess::run({"--appdir", sim.appDir(), "read", "W1022"});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.out, "32\n");
    EXPECT_EQ(contents(settingsFile(sim.appDir())), "1,9600\r\n");
}

struct Override {
    std::vector<const char*> options; // "@PATH" stands for the simulator's device
    const char* settings;             // RSPort.cfg before and after; nullptr: none
};

void PrintTo(const Override& row, std::ostream* out) {
    for (const char* option : row.options)
        *out << option << ' ';
    if (!row.settings)
        *out << "without a settings file";
    else if (*row.settings == '\0')
        *out << "with an empty settings file";
    else
        *out << "with settings " << QByteArray(row.settings).trimmed().toStdString();
}

class CtlSettingsOverride : public testing::TestWithParam<Override> {};

// The command line picks the line; the settings file is neither created nor rewritten.
TEST_P(CtlSettingsOverride, LeavesTheSettingsFileAsItWas) {
    SimProcess sim(4);
    ASSERT_EQ(sim.failure(), QString());
    ASSERT_EQ(sim.control("set W1022 33"), "ok");
    if (GetParam().settings)
        writeSettings(sim.appDir(), GetParam().settings);
    QStringList arguments = {"--appdir", sim.appDir()};
    for (const char* option : GetParam().options)
        arguments.append(option == std::string_view("@PATH") ? sim.devicePath()
                                                             : QString::fromUtf8(option));
    const CtlProcess::Result read = CtlProcess::run(arguments + QStringList{"read", "W1022"});
    EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(read.out, "33\n");
    EXPECT_EQ(contents(settingsFile(sim.appDir())),
              GetParam().settings ? QByteArray(GetParam().settings) : QByteArray("<missing>"));
}

INSTANTIATE_TEST_SUITE_P(
    Options, CtlSettingsOverride,
    testing::Values(Override{{"--port", "4"}, "1,9600\r\n"}, Override{{"--port", "4"}, nullptr},
                    Override{{"--port", "4", "--speed", "19200"}, "4,9600\r\n"},
                    Override{{"--port", "4"}, ""}, Override{{"--speed", "19200"}, "4,9600\r\n"},
                    Override{{"--device", "@PATH"}, nullptr},
                    Override{{"--device", "@PATH", "--speed", "19200"}, "2,9600\r\n"}));

TEST(CtlSettings, DeviceNeedsNoAliasInTheApplicationFolder) {
    SimProcess sim(9);
    ASSERT_EQ(sim.failure(), QString());
    ASSERT_EQ(sim.control("set W1022 34"), "ok");
    QTemporaryDir otherApp;
    const CtlProcess::Result read = CtlProcess::run(
        {"--appdir", otherApp.path(), "--device", sim.devicePath(), "read", "W1022"});
    EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(read.out, "34\n");
    EXPECT_FALSE(QDir(otherApp.path()).exists(QStringLiteral("Support")));
}

} // namespace
