#include "RawLine.h"

#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

RawLine::RawLine(const QString& path)
    : fd_(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY)) {
    termios settings{};
    if (fd_ < 0 || tcgetattr(fd_, &settings) != 0) {
        if (fd_ >= 0)
            ::close(fd_);
        throw std::runtime_error("cannot open " + path.toStdString());
    }
    cfmakeraw(&settings);
    tcsetattr(fd_, TCSANOW, &settings);
    tcflush(fd_, TCIFLUSH);
}

RawLine::~RawLine() {
    ::close(fd_);
}

void RawLine::send(unsigned char byte) {
    if (::write(fd_, &byte, 1) != 1)
        throw std::runtime_error("raw line: write failed");
}

int RawLine::exchange(unsigned char byte, int waitMs) {
    if (::write(fd_, &byte, 1) != 1)
        return -1;
    pollfd ready{fd_, POLLIN, 0};
    unsigned char reply = 0;
    if (::poll(&ready, 1, waitMs) != 1 || ::read(fd_, &reply, 1) != 1)
        return -1;
    return reply;
}

void RawLine::expect(unsigned char byte, int reply) {
    if (exchange(byte) != reply)
        throw std::runtime_error("raw client: unexpected reply");
}
