#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

// vorna7-sim as a separate program on a pseudo-terminal, reached with plain termios and
// its control FIFO. Waits are generous bounds, never timing assertions.
namespace {

constexpr int PatienceMs = 5000;

class SimProcess {
public:
    explicit SimProcess(const QStringList& arguments) {
        process_.start(QStringLiteral(VORNA7_BIN_DIR "/vorna7-sim"), arguments);
        started_ = process_.waitForStarted(PatienceMs);
    }
    ~SimProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(PatienceMs);
        }
    }

    bool started() const { return started_; }
    QString readLine() {
        while (!process_.canReadLine() && process_.waitForReadyRead(PatienceMs)) {
        }
        return QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    // SIGTERM, then the exit code (-1 when it did not end normally).
    int stop() {
        process_.terminate();
        if (!process_.waitForFinished(PatienceMs) || process_.exitStatus() != QProcess::NormalExit)
            return -1;
        return process_.exitCode();
    }
    QProcess& process() { return process_; }

private:
    QProcess process_;
    bool started_ = false;
};

class RawLine {
public:
    explicit RawLine(const QString& path)
        : fd_(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY)) {
        termios settings{};
        if (fd_ >= 0 && tcgetattr(fd_, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(fd_, TCSANOW, &settings);
        }
    }
    ~RawLine() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }

    std::optional<int> exchange(int byte, int waitMs = PatienceMs) {
        const auto value = static_cast<unsigned char>(byte);
        if (::write(fd_, &value, 1) != 1)
            return std::nullopt;
        pollfd ready{fd_, POLLIN, 0};
        unsigned char reply = 0;
        if (::poll(&ready, 1, waitMs) != 1 || ::read(fd_, &reply, 1) != 1)
            return std::nullopt;
        return reply;
    }
    std::vector<std::optional<int>> exchange(std::initializer_list<int> bytes) {
        std::vector<std::optional<int>> replies;
        for (int byte : bytes)
            replies.push_back(exchange(byte));
        return replies;
    }

private:
    int fd_;
};

void writeTo(const QString& fifo, const std::string& text) {
    const int writer = ::open(fifo.toLocal8Bit().constData(), O_WRONLY);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ::close(writer);
}

std::vector<std::optional<int>> replies(std::initializer_list<int> bytes) {
    return std::vector<std::optional<int>>(bytes.begin(), bytes.end());
}

class SimProgram : public testing::Test {
protected:
    QString alias(const char* name = "Support/COM1") const { return app.filePath(name); }

    QTemporaryDir app;
};

} // namespace

TEST_F(SimProgram, LinksThePortAnswersAndStopsCleanly) {
    SimProcess sim({QStringLiteral("--appdir"), app.path()});
    ASSERT_TRUE(sim.started());
    const QString device = sim.readLine();
    ASSERT_TRUE(device.startsWith(QStringLiteral("/dev/"))) << device.toStdString();
    const QFileInfo link(alias());
    ASSERT_TRUE(link.isSymLink());
    EXPECT_EQ(link.symLinkTarget(), device);

    RawLine line(alias());
    ASSERT_TRUE(line.isOpen());
    EXPECT_EQ(line.exchange({0xFF, 0x01, 0x00, 0xB6, 0x00, 0xB7}),
              replies({0x55, 0x55, 0x00, 200, 0x00, 0}));

    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(QFileInfo(alias()).isSymLink());
}

// The control port itself is driven by every end-to-end test; scripts use the FIFO.
TEST_F(SimProgram, FifoCommandsActAndDropHandsTheAliasToANewDevice) {
    const QString fifo = app.filePath(QStringLiteral("control"));
    SimProcess sim({QStringLiteral("--appdir"), app.path(), QStringLiteral("--control"), fifo});
    const QString first = sim.readLine();
    RawLine line(alias());
    writeTo(fifo, "set B101 7\nspeed 0\n");
    EXPECT_EQ(line.exchange({0xFF, 0x01, 0x00, 0x65, 0x00, 0xB6}),
              replies({0x55, 0x55, 0x00, 7, 0x00, 0}));

    writeTo(fifo, "drop\n");
    pollfd hangUp{line.fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&hangUp, 1, PatienceMs), 1);
    EXPECT_NE(hangUp.revents & POLLHUP, 0);
    sim.process().setReadChannel(QProcess::StandardError);
    const QString notice = sim.readLine(); // written once the new device is in place
    const QString second = QFileInfo(alias()).symLinkTarget();
    EXPECT_EQ(notice, QStringLiteral("vorna7-sim: line dropped; now on ") + second);
    EXPECT_NE(second, first);
    RawLine again(alias());
    EXPECT_EQ(again.exchange(0xFF), 0x55);
    EXPECT_EQ(sim.stop(), 0);
}

// Address echoes come back inverted; the data shows speed 0, the identity and a PLS that
// takes the offset but never says ready.
TEST_F(SimProgram, StartsWithFaultsAndIdentityFromTheCommandLine) {
    SimProcess sim({QStringLiteral("--appdir"), app.path(), QStringLiteral("--wrong-echo"),
                    QStringLiteral("--wire"), QStringLiteral("9600"), QStringLiteral("--speed"),
                    QStringLiteral("0"), QStringLiteral("--firmware"), QStringLiteral("41"),
                    QStringLiteral("--fault-code"), QStringLiteral("92"),
                    QStringLiteral("--pls-not-ready")});
    sim.readLine();
    RawLine line(alias());
    EXPECT_EQ(line.exchange({0xFF, 0x01, 0x00, 0xB6, 0x1F, 0xDF, 0x1F, 0xF0}),
              replies({0x55, 0x55, 0xFF, 0, 0xE0, 41, 0xE0, 92}));
    EXPECT_EQ(line.exchange({0xFF, 42, 5, 0, 0x38, 0x55, 0x38, 0x55}),
              replies({0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}));
    EXPECT_EQ(sim.stop(), 0);
}

TEST_F(SimProgram, RefusesBadOptions) {
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--wire"), QStringLiteral("4800")},
          QStringList{QStringLiteral("--port"), QStringLiteral("100")},
          QStringList{QStringLiteral("--bogus")}, QStringList{QStringLiteral("--appdir")}}) {
        SimProcess sim(arguments + QStringList{QStringLiteral("--appdir"), app.path()});
        ASSERT_TRUE(sim.process().waitForFinished(PatienceMs));
        EXPECT_EQ(sim.process().exitCode(), 64) << arguments.join(' ').toStdString();
        EXPECT_TRUE(sim.process().readAllStandardOutput().isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(alias()));
}
