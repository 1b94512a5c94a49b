#include "StopSignal.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// A signal handler can only reach static storage: the flag and the write end of the pipe
// that wakes a sleeping wait.
volatile std::sig_atomic_t stopFlag = 0;
volatile int wakeFd = -1;

extern "C" void onStopSignal(int) {
    const int savedErrno = errno;
    stopFlag = 1;
    if (wakeFd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakeFd, &byte, 1);
    }
    errno = savedErrno;
}

void install(int signal, struct sigaction* previous) {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Restarted system calls keep a pending byte exchange intact; the stop is looked at
    // between operations.
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, previous);
}

} // namespace

StopSignal::StopSignal() {
    int fds[2];
    if (::pipe(fds) == 0) {
        for (int fd : fds) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
        readFd_ = fds[0];
        wakeFd = fds[1];
    }
    stopFlag = 0;
    install(SIGINT, &previousInt_);
    install(SIGTERM, &previousTerm_);
}

StopSignal::~StopSignal() {
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
    const int writeFd = wakeFd;
    wakeFd = -1;
    if (writeFd >= 0)
        ::close(writeFd);
    if (readFd_ >= 0)
        ::close(readFd_);
}

bool StopSignal::requested() const {
    return stopFlag != 0;
}

bool StopSignal::waitUntil(const Clock& clock, Clock::Micros deadline) {
    while (!requested()) {
        const Clock::Micros remaining = deadline - clock.now();
        if (remaining <= 0)
            return false;
        pollfd wake{readFd_, POLLIN, 0};
        const int timeoutMs = static_cast<int>((remaining + 999) / 1000);
        if (::poll(&wake, readFd_ >= 0 ? 1 : 0, timeoutMs) > 0) {
            char drained[16];
            while (::read(readFd_, drained, sizeof drained) > 0) {
            }
        }
    }
    return true;
}
