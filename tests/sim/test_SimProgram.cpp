#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

// vorna7-sim as a separate program on a pseudo-terminal, reached with plain termios and
// its control port. Waits are generous bounds, never timing assertions.
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

class ControlClient {
public:
    explicit ControlClient(int port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~ControlClient() { ::close(fd_); }
    bool connected() const { return connected_; }

    std::string command(const std::string& line) {
        const std::string sent = line + "\n";
        if (::send(fd_, sent.data(), sent.size(), MSG_NOSIGNAL) !=
            static_cast<ssize_t>(sent.size()))
            return "send failed";
        std::string answer;
        char c = 0;
        pollfd ready{fd_, POLLIN, 0};
        while (::poll(&ready, 1, PatienceMs) == 1 && ::read(fd_, &c, 1) == 1 && c != '\n')
            answer += c;
        return answer;
    }

private:
    int fd_;
    bool connected_ = false;
};

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

TEST_F(SimProgram, UsesTheSupportFolderWhateverItsCase) {
    ASSERT_TRUE(QDir(app.path()).mkdir(QStringLiteral("support")));
    SimProcess sim(
        {QStringLiteral("--appdir"), app.path(), QStringLiteral("--port"), QStringLiteral("3")});
    const QString device = sim.readLine();
    EXPECT_EQ(QFileInfo(alias("support/COM3")).symLinkTarget(), device);
    EXPECT_FALSE(QFileInfo::exists(alias("Support")));
    EXPECT_EQ(sim.stop(), 0);
}

TEST_F(SimProgram, ControlPortSetsMemoryAndFaultsWhileConnected) {
    SimProcess sim(
        {QStringLiteral("--appdir"), app.path(), QStringLiteral("--control"), QStringLiteral("0")});
    sim.readLine();
    const QString control = sim.readLine();
    ASSERT_TRUE(control.startsWith(QStringLiteral("control "))) << control.toStdString();
    ControlClient client(control.mid(8).toInt());
    ASSERT_TRUE(client.connected());
    RawLine line(alias());

    EXPECT_EQ(client.command("set W1022 4660"), "ok");
    EXPECT_EQ(line.exchange({0xFF, 0x01, 0x03, 0xFE, 0x03, 0xFF}),
              replies({0x55, 0x55, 0x03, 0x34, 0x03, 0x12}));
    EXPECT_EQ(client.command("fault wrong-ack on"), "ok");
    EXPECT_EQ(line.exchange(0xFF), 0x00);
    EXPECT_EQ(client.command("fault wrong-ack off"), "ok");
    EXPECT_EQ(client.command("fault silence on"), "ok");
    EXPECT_EQ(line.exchange(0xFF, 300), std::nullopt);
    EXPECT_EQ(client.command("fault clear"), "ok");
    EXPECT_EQ(client.command("wire 19200"), "ok");
    EXPECT_EQ(line.exchange({0xFF, 0x02, 0x00, 0x65, 0x07}),
              replies({0x55, 0x55, 0x00, 0x65, 0x07}));
    EXPECT_EQ(client.command("get B101"), "ok 7");
    EXPECT_EQ(client.command("bogus"), "error unknown command");
    EXPECT_EQ(sim.stop(), 0);
}

TEST_F(SimProgram, DropHangsUpAndANewDeviceTakesTheAlias) {
    SimProcess sim(
        {QStringLiteral("--appdir"), app.path(), QStringLiteral("--control"), QStringLiteral("0")});
    const QString first = sim.readLine();
    ControlClient client(sim.readLine().mid(8).toInt());
    RawLine line(alias());
    ASSERT_EQ(line.exchange(0xFF), 0x55);

    EXPECT_EQ(client.command("drop"), "ok");
    pollfd hangUp{line.fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&hangUp, 1, PatienceMs), 1);
    EXPECT_NE(hangUp.revents & POLLHUP, 0);

    const QString second = QFileInfo(alias()).symLinkTarget();
    EXPECT_NE(second, first);
    RawLine again(alias());
    EXPECT_EQ(again.exchange(0xFF), 0x55);
    EXPECT_EQ(sim.stop(), 0);
}

TEST_F(SimProgram, FifoTakesCommandsFromScripts) {
    const QString fifo = app.filePath(QStringLiteral("control"));
    SimProcess sim({QStringLiteral("--appdir"), app.path(), QStringLiteral("--control"), fifo});
    sim.readLine();
    RawLine line(alias());
    const int writer = ::open(fifo.toLocal8Bit().constData(), O_WRONLY);
    ASSERT_GE(writer, 0);
    const std::string command = "set B101 7\nspeed 0\n";
    ASSERT_EQ(::write(writer, command.data(), command.size()),
              static_cast<ssize_t>(command.size()));
    ::close(writer);
    EXPECT_EQ(line.exchange({0xFF, 0x01, 0x00, 0x65, 0x00, 0xB6}),
              replies({0x55, 0x55, 0x00, 7, 0x00, 0}));
    EXPECT_EQ(sim.stop(), 0);
}

TEST_F(SimProgram, StartsWithFaultsFromTheCommandLine) {
    SimProcess sim({QStringLiteral("--appdir"), app.path(), QStringLiteral("--wrong-echo"),
                    QStringLiteral("--wire"), QStringLiteral("9600"), QStringLiteral("--speed"),
                    QStringLiteral("0")});
    sim.readLine();
    RawLine line(alias());
    EXPECT_EQ(line.exchange({0xFF, 0x01, 0x00, 0xB6}), replies({0x55, 0x55, 0xFF, 0}));
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

TEST_F(SimProgram, StartsWithThePLSAndIdentityFromTheCommandLine) {
    SimProcess sim({QStringLiteral("--appdir"), app.path(), QStringLiteral("--firmware"),
                    QStringLiteral("41"), QStringLiteral("--fault-code"), QStringLiteral("92"),
                    QStringLiteral("--pls-not-ready")});
    sim.readLine();
    RawLine line(alias());
    EXPECT_EQ(line.exchange({0xFF, 0x01, 0x1F, 0xDF, 0x1F, 0xF0}),
              replies({0x55, 0x55, 0x1F, 41, 0x1F, 92}));
    EXPECT_EQ(line.exchange({0xFF, 42, 5, 0, 0x38, 0x55, 0x38, 0x55}),
              replies({0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}))
        << "the offset is taken, but the PLS never says ready";
    EXPECT_EQ(sim.stop(), 0);
}
