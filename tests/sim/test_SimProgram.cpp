#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <fcntl.h>
#include <initializer_list>
#include <unistd.h>
#include <vector>

#include "RawLine.h"
#include "SimulatorProcess.h"
#include "TempFolder.h"

// vorna7-sim as a separate program: its alias, its options, its control FIFO and a clean stop.
// Waits are generous bounds, never timing assertions.
namespace {

std::vector<int> exchange(RawLine& line, std::initializer_list<int> bytes) {
    std::vector<int> replies;
    for (int byte : bytes)
        replies.push_back(line.exchange(static_cast<unsigned char>(byte), 5000));
    return replies;
}

TEST(SimProgram, LinksThePortAnswersAndStopsCleanly) {
    SimulatorProcess sim;
    ASSERT_EQ(sim.failure(), QString());
    const QFileInfo alias(sim.linePath());
    ASSERT_TRUE(alias.isSymLink());
    EXPECT_EQ(alias.symLinkTarget(), sim.device());
    RawLine line(sim.linePath());
    EXPECT_EQ(exchange(line, {0xFF, 0x01, 0x00, 0xB6, 0x00, 0xB7}),
              (std::vector<int>{0x55, 0x55, 0x00, 200, 0x00, 0}));
    EXPECT_EQ(sim.control("board-type") + sim.control("get W1024"), "ok 61ok 350");
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(QFileInfo(sim.linePath()).isSymLink());
}

// Address echoes come back inverted; the data shows the identity, and a PLS that takes the
// offset but never says ready.
TEST(SimProgram, StartsWithFaultsAndIdentityFromTheCommandLine) {
    SimulatorProcess sim(1, {"--wrong-echo", "--wire", "9600", "--speed", "0", "--firmware", "41",
                             "--fault-code", "92", "--pls-not-ready", "--bare"});
    ASSERT_EQ(sim.failure(), QString());
    RawLine line(sim.linePath());
    EXPECT_EQ(exchange(line, {0xFF, 0x01, 0x00, 0xB6, 0x1F, 0xDF, 0x1F, 0xF0}),
              (std::vector<int>{0x55, 0x55, 0xFF, 0, 0xE0, 41, 0xE0, 92}));
    EXPECT_EQ(exchange(line, {0xFF, 42, 5, 0, 0x38, 0x55, 0x38, 0x55}), std::vector<int>(8, 0x55));
    EXPECT_EQ(sim.control("board-type") + sim.control("get W1024"), "ok 0ok 0");
}

// The control port is driven by every end-to-end test; scripts use the FIFO.
TEST(SimProgram, FifoCommandsActAndDropHandsTheAliasToANewDevice) {
    TempFolder app;
    const QString fifo = app.filePath(QStringLiteral("control"));
    QProcess sim;
    sim.start(SimulatorProcess::program("vorna7-sim"), {"--appdir", app.path(), "--control", fifo});
    ASSERT_TRUE(sim.waitForReadyRead(30'000));
    const QString first = QString::fromLocal8Bit(sim.readLine()).trimmed();
    const auto command = [&](const char* text) {
        const int writer = ::open(fifo.toLocal8Bit().constData(), O_WRONLY);
        ASSERT_GE(writer, 0);
        ASSERT_EQ(::write(writer, text, strlen(text)), static_cast<ssize_t>(strlen(text)));
        ::close(writer);
    };
    {
        RawLine line(app.filePath("Support/COM1"));
        command("set B101 7\nspeed 0\n");
        EXPECT_EQ(exchange(line, {0xFF, 0x01, 0x00, 0x65}), (std::vector<int>{0x55, 0x55, 0, 7}));
        command("drop\n");
        sim.setReadChannel(QProcess::StandardError);
        ASSERT_TRUE(sim.canReadLine() || sim.waitForReadyRead(30'000));
    }
    const QString second = QFileInfo(app.filePath("Support/COM1")).symLinkTarget();
    EXPECT_EQ(QString::fromLocal8Bit(sim.readLine()).trimmed(),
              QStringLiteral("vorna7-sim: line dropped; now on ") + second);
    EXPECT_NE(second, first);
    RawLine again(app.filePath("Support/COM1"));
    EXPECT_EQ(again.exchange(0xFF, 5000), 0x55);
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(30'000));
    EXPECT_EQ(sim.exitCode(), 0);
}

TEST(SimProgram, RefusesBadOptions) {
    TempFolder app;
    for (const QStringList& arguments :
         {QStringList{"--wire", "4800"}, QStringList{"--port", "100"}, QStringList{"--bogus"}}) {
        QProcess sim;
        sim.start(SimulatorProcess::program("vorna7-sim"),
                  arguments + QStringList{"--appdir", app.path()});
        ASSERT_TRUE(sim.waitForFinished(30'000));
        EXPECT_EQ(sim.exitCode(), 64) << arguments.join(' ').toStdString();
        EXPECT_TRUE(sim.readAllStandardOutput().isEmpty());
    }
    EXPECT_FALSE(app.exists("Support/COM1"));
}

} // namespace
