#include "SimServer.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <unistd.h>
#include <vector>

#include "ControlCommand.h"

namespace sim {

namespace {

constexpr SimServer::Nanos NanosPerSecond = 1'000'000'000;

timespec toTimespec(SimServer::Nanos nanos) {
    return timespec{static_cast<time_t>(nanos / NanosPerSecond),
                    static_cast<long>(nanos % NanosPerSecond)};
}

} // namespace

SimServer::SimServer(Board& board, std::filesystem::path appDir, int port)
    : board_(board), appDir_(std::move(appDir)), port_(port) {}

SimServer::~SimServer() {
    alias_.remove();
    if (signals_ >= 0)
        ::close(signals_);
}

SimServer::Nanos SimServer::now() {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<Nanos>(time.tv_sec) * NanosPerSecond + time.tv_nsec;
}

void SimServer::sleepUntil(Nanos deadline) {
    const timespec until = toTimespec(deadline);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

bool SimServer::start(const std::string& control, std::string& error) {
    // Answers must leave on time to the microsecond, not whenever the kernel batches timers.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    signals_ = signalfd(-1, &stopSignals, SFD_NONBLOCK | SFD_CLOEXEC);
    if (signals_ < 0) {
        error = std::string("signalfd: ") + std::strerror(errno);
        return false;
    }
    if (!control.empty() && !control_.open(control, error))
        return false;
    return openLine(error);
}

bool SimServer::openLine(std::string& error) {
    return line_.open(error) && alias_.point(appDir_, port_, line_.devicePath(), error);
}

// A dropped line is a pulled cable: whoever has the device gets a hang-up, and a fresh
// device takes its place under the same alias, as when the cable is plugged in again.
bool SimServer::replaceDroppedLine() {
    line_.hangUp();
    answers_.clear();
    schedule_.reset();
    board_.resetLine();
    board_.faults().restoreLine();
    std::string error;
    if (!openLine(error)) {
        std::fprintf(stderr, "vorna7-sim: %s\n", error.c_str());
        return false;
    }
    std::fprintf(stderr, "vorna7-sim: line dropped; now on %s\n", line_.devicePath().c_str());
    return true;
}

int SimServer::run() {
    for (;;) {
        sendDueAnswers();
        Nanos timeout = -1;
        if (!answers_.empty()) {
            const Nanos left = answers_.front().due - now();
            if (left <= FinalStretch) {
                sleepUntil(answers_.front().due);
                continue;
            }
            timeout = left - FinalStretch;
        }
        bool stop = false;
        if (!waitForWork(timeout, stop) || failed_)
            return 1;
        if (stop)
            return 0;
        if (board_.faults().lineDropped() && !replaceDroppedLine())
            return 1;
    }
}

bool SimServer::waitForWork(Nanos timeout, bool& stop) {
    std::vector<pollfd> fds{{signals_, POLLIN, 0}, {line_.masterFd(), POLLIN, 0}};
    for (int fd : control_.descriptors())
        fds.push_back({fd, POLLIN, 0});
    const timespec wait = toTimespec(timeout);
    const int ready = ppoll(fds.data(), fds.size(), timeout < 0 ? nullptr : &wait, nullptr);
    if (ready < 0) {
        if (errno == EINTR)
            return true;
        std::fprintf(stderr, "vorna7-sim: poll: %s\n", std::strerror(errno));
        return false;
    }
    if (fds[0].revents != 0) {
        stop = true;
        return true;
    }
    // Control first: a fault switched on just before a byte was sent must apply to it.
    for (std::size_t i = 2; i < fds.size(); ++i) {
        if (fds[i].revents != 0)
            serviceControl(fds[i].fd);
    }
    if (fds[1].revents != 0 && !board_.faults().lineDropped()) {
        // Not expected while the slave is held open, but never poll a dead line in a loop.
        if ((fds[1].revents & POLLIN) == 0)
            board_.faults().dropLine();
        else
            readLine();
    }
    return true;
}

void SimServer::serviceControl(int fd) {
    control_.service(fd, [this](std::string_view line) {
        board_.advanceTo(now() / 1000);
        const std::string answer = ControlCommand::apply(board_, line);
        // The new device is in place before the answer goes out.
        if (board_.faults().lineDropped() && !replaceDroppedLine())
            failed_ = true;
        return answer;
    });
}

void SimServer::readLine() {
    std::uint8_t bytes[256];
    const ssize_t count = ::read(line_.masterFd(), bytes, sizeof bytes);
    if (count <= 0)
        return;
    const Nanos readAt = now();
    const Nanos byteTime = board_.faults().byteTimeNanos();
    for (ssize_t i = 0; i < count; ++i) {
        const Nanos arrived = schedule_.arrival(readAt, byteTime);
        if (const auto answer = board_.receive(bytes[i], arrived / 1000))
            answers_.push_back({schedule_.answerBack(arrived, byteTime), *answer});
    }
}

void SimServer::sendDueAnswers() {
    if (answers_.empty())
        return;
    const Nanos time = now();
    std::vector<std::uint8_t> due;
    while (!answers_.empty() && answers_.front().due <= time) {
        due.push_back(answers_.front().byte);
        answers_.pop_front();
    }
    // Nobody reading and the buffer full: the bytes are lost, as on a real line.
    if (!due.empty()) {
        [[maybe_unused]] const ssize_t written = ::write(line_.masterFd(), due.data(), due.size());
    }
}

} // namespace sim
