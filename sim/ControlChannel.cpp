#include "ControlChannel.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "WholeNumber.h"

namespace sim {

namespace {

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

std::optional<int> portNumber(const std::string& text) {
    const auto port = WholeNumber::parse(text, 0, 65535);
    return port ? std::optional<int>(static_cast<int>(*port)) : std::nullopt;
}

} // namespace

bool ControlChannel::open(const std::string& where, std::string& error) {
    close();
    if (const auto port = portNumber(where))
        return openTcp(*port, error);
    return openFifo(where, error);
}

bool ControlChannel::openTcp(int port, std::string& error) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener_ < 0) {
        error = systemError("socket");
        return false;
    }
    const int yes = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 4) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error = systemError("control port " + std::to_string(port));
        close();
        return false;
    }
    tcpPort_ = ntohs(address.sin_port);
    return true;
}

bool ControlChannel::openFifo(const std::string& path, std::string& error) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (::mkfifo(path.c_str(), 0600) != 0) {
            error = systemError(path);
            return false;
        }
    } else if (!S_ISFIFO(status.st_mode)) {
        error = path + " is not a FIFO";
        return false;
    }
    // Opened for writing too, so the last writer closing is not an end of file.
    fifo_ = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fifo_ < 0) {
        error = systemError(path);
        return false;
    }
    return true;
}

void ControlChannel::close() {
    for (const auto& [fd, line] : pending_) {
        if (fd != fifo_)
            ::close(fd);
    }
    pending_.clear();
    if (listener_ >= 0)
        ::close(listener_);
    if (fifo_ >= 0)
        ::close(fifo_);
    listener_ = -1;
    fifo_ = -1;
    tcpPort_ = 0;
}

std::vector<int> ControlChannel::descriptors() const {
    std::vector<int> fds;
    if (listener_ >= 0)
        fds.push_back(listener_);
    if (fifo_ >= 0)
        fds.push_back(fifo_);
    for (const auto& [fd, line] : pending_) {
        if (fd != fifo_)
            fds.push_back(fd);
    }
    return fds;
}

void ControlChannel::service(int fd, const Handler& handler) {
    if (fd == listener_) {
        accept();
        return;
    }
    char buffer[512];
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (count <= 0) {
        drop(fd);
        return;
    }
    std::string& line = pending_[fd];
    line.append(buffer, static_cast<std::size_t>(count));
    answerLines(fd, handler);
}

void ControlChannel::accept() {
    const int client = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (client >= 0)
        pending_[client];
}

void ControlChannel::drop(int fd) {
    if (fd == fifo_) {
        pending_[fd].clear();
        return;
    }
    pending_.erase(fd);
    ::close(fd);
}

void ControlChannel::answerLines(int fd, const Handler& handler) {
    std::string& buffer = pending_[fd];
    std::size_t end;
    while ((end = buffer.find('\n')) != std::string::npos) {
        const std::string line = buffer.substr(0, end);
        buffer.erase(0, end + 1);
        const std::string answer = handler(line) + "\n";
        if (fd == fifo_) {
            if (answer.rfind("error", 0) == 0)
                std::fprintf(stderr, "vorna7-sim: %s: %s", line.c_str(), answer.c_str());
        } else {
            ::send(fd, answer.data(), answer.size(), MSG_NOSIGNAL);
        }
    }
    if (buffer.size() > MaxLine)
        drop(fd);
}

} // namespace sim
