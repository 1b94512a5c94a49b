#include "PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

bool addFlags(int fd, int statusFlags) {
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | statusFlags) == 0 &&
           fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

} // namespace

bool PseudoTerminal::open(std::string& error) {
    hangUp();
    if (openMaster(error) && openSlave(error))
        return true;
    hangUp();
    return false;
}

bool PseudoTerminal::openMaster(std::string& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error = systemError("posix_openpt");
        return false;
    }
    if (!addFlags(master_, O_NONBLOCK) || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = systemError("pseudo-terminal set-up");
        return false;
    }
    char name[128];
    if (ptsname_r(master_, name, sizeof name) != 0) {
        error = systemError("ptsname");
        return false;
    }
    devicePath_ = name;
    return true;
}

bool PseudoTerminal::openSlave(std::string& error) {
    slave_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave_ < 0) {
        error = systemError(devicePath_.c_str());
        return false;
    }
    // Raw from the start: no echo, no line editing, no translation of CR or LF.
    termios settings{};
    if (tcgetattr(slave_, &settings) != 0) {
        error = systemError("tcgetattr");
        return false;
    }
    cfmakeraw(&settings);
    if (tcsetattr(slave_, TCSANOW, &settings) != 0) {
        error = systemError("tcsetattr");
        return false;
    }
    return true;
}

void PseudoTerminal::hangUp() {
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = -1;
    slave_ = -1;
}

} // namespace sim
