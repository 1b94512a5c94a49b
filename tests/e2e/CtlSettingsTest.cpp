#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CtlProcess.h"
#include "QStringPrinter.h"
#include "SimulatorProcess.h"

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

struct Setting {
    int simPort;
    std::vector<const char*> options; // "@PATH" stands for the simulator's device
    const char* before;               // RSPort.cfg; nullptr: none
    const char* after;
};

void PrintTo(const Setting& row, std::ostream* out) {
    *out << "COM" << row.simPort << ' ';
    for (const char* option : row.options)
        *out << option << ' ';
    *out << "settings " << (row.before ? QByteArray(row.before).trimmed().toStdString() : "none");
}

class CtlSettingsFile : public testing::TestWithParam<Setting> {};

// Without --port or --device the settings file picks the line, as in the program (and is
// created when missing); otherwise it is neither created nor rewritten.
TEST_P(CtlSettingsFile, PicksTheLineAndIsLeftAsExpected) {
    const Setting& row = GetParam();
    SimulatorProcess sim(row.simPort);
    ASSERT_EQ(sim.failure(), QString());
    ASSERT_EQ(sim.control("set W1022 33"), "ok");
    if (row.before)
        writeSettings(sim.appDir(), row.before);
    QStringList arguments = {"--appdir", sim.appDir()};
    for (const char* option : row.options)
        arguments.append(option == std::string_view("@PATH") ? sim.device()
                                                             : QString::fromUtf8(option));
    const CtlProcess::Result read = CtlProcess::run(arguments + QStringList{"read", "W1022"});
    EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(read.out, "33\n");
    EXPECT_EQ(contents(settingsFile(sim.appDir())),
              row.after ? QByteArray(row.after) : QByteArray("<missing>"));
}

INSTANTIATE_TEST_SUITE_P(
    Options, CtlSettingsFile,
    testing::Values(Setting{7, {}, " 7 , 19200 \r\n", " 7 , 19200 \r\n"},
                    Setting{1, {}, nullptr, "1,9600\r\n"},
                    Setting{4, {"--port", "4"}, "1,9600\r\n", "1,9600\r\n"},
                    Setting{4, {"--port", "4"}, nullptr, nullptr},
                    Setting{4, {"--port", "4", "--speed", "19200"}, "4,9600\r\n", "4,9600\r\n"},
                    Setting{4, {"--port", "4"}, "", ""},
                    Setting{4, {"--speed", "19200"}, "4,9600\r\n", "4,9600\r\n"},
                    Setting{4, {"--device", "@PATH"}, nullptr, nullptr},
                    Setting{
                        4, {"--device", "@PATH", "--speed", "19200"}, "2,9600\r\n", "2,9600\r\n"}));

TEST(CtlSettings, DeviceNeedsNoAliasInTheApplicationFolder) {
    SimulatorProcess sim(9);
    ASSERT_EQ(sim.failure(), QString());
    ASSERT_EQ(sim.control("set W1022 34"), "ok");
    QTemporaryDir otherApp;
    const CtlProcess::Result read = CtlProcess::run(
        {"--appdir", otherApp.path(), "--device", sim.device(), "read", "W1022"});
    EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(read.out, "34\n");
    EXPECT_FALSE(QDir(otherApp.path()).exists(QStringLiteral("Support")));
}

} // namespace
