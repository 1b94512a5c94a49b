#include "DescriptorLine.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

void DescriptorLine::attach(int descriptor) {
    fd_ = descriptor;
    error_ = 0;
    drop();
}

void DescriptorLine::detach() {
    attach(-1);
}

int DescriptorLine::take() {
    if (start_ == end_)
        return -1;
    return input_[static_cast<std::size_t>(start_++)];
}

DescriptorLine::Outcome DescriptorLine::failed(int error) {
    error_ = error;
    return Outcome::Failed;
}

DescriptorLine::Outcome DescriptorLine::fill(int waitMs) {
    if (fd_ < 0)
        return failed(EBADF);
    pollfd ready{fd_, POLLIN, 0};
    const int count = ::poll(&ready, 1, waitMs);
    if (count < 0)
        return errno == EINTR ? Outcome::TimedOut : failed(errno);
    if (count == 0)
        return Outcome::TimedOut;
    // A hang-up may come with the last bytes still to read; they are read first.
    if ((ready.revents & POLLIN) != 0)
        return readWhatIsThere();
    return failed((ready.revents & POLLNVAL) != 0 ? EBADF : 0);
}

DescriptorLine::Outcome DescriptorLine::readWhatIsThere() {
    if (start_ == end_)
        drop();
    const std::size_t room = input_.size() - static_cast<std::size_t>(end_);
    if (room == 0)
        return Outcome::Done;
    const ssize_t count = ::read(fd_, input_.data() + end_, room);
    if (count > 0) {
        end_ += static_cast<int>(count);
        return Outcome::Done;
    }
    if (count == 0)
        return failed(0); // end of file: the terminal hung up
    return errno == EAGAIN || errno == EINTR ? Outcome::TimedOut : failed(errno);
}

DescriptorLine::Outcome DescriptorLine::write(const char* bytes, std::size_t count, int waitMs) {
    if (fd_ < 0)
        return failed(EBADF);
    while (count > 0) {
        const ssize_t written = ::write(fd_, bytes, count);
        if (written > 0) {
            bytes += written;
            count -= static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN)
            return failed(errno);
        pollfd room{fd_, POLLOUT, 0};
        const int ready = ::poll(&room, 1, waitMs);
        if (ready == 0)
            return Outcome::TimedOut;
        if (ready < 0 && errno != EINTR)
            return failed(errno);
        if (ready > 0 && (room.revents & POLLOUT) == 0)
            return failed((room.revents & POLLNVAL) != 0 ? EBADF : 0);
    }
    return Outcome::Done;
}
