#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Where control commands come in while the simulator runs: a TCP port on the loopback
// (0 picks a free one; each line is answered on the connection) or a FIFO (created when
// missing; for shell scripts, errors go to standard error).
class ControlChannel {
public:
    using Handler = std::function<std::string(std::string_view line)>;

    ControlChannel() = default;
    ~ControlChannel() { close(); }
    ControlChannel(const ControlChannel&) = delete;
    ControlChannel& operator=(const ControlChannel&) = delete;

    // "PORT" or a FIFO path.
    bool open(const std::string& where, std::string& error);
    void close();

    bool isTcp() const { return listener_ >= 0; }
    int tcpPort() const { return tcpPort_; }

    // Descriptors to wait on for reading.
    std::vector<int> descriptors() const;
    // One descriptor became readable: read what is there and answer complete lines.
    void service(int fd, const Handler& handler);

private:
    static constexpr std::size_t MaxLine = 1024;

    bool openTcp(int port, std::string& error);
    bool openFifo(const std::string& path, std::string& error);
    void accept();
    void drop(int fd);
    void answerLines(int fd, const Handler& handler);

    int listener_ = -1;
    int tcpPort_ = 0;
    int fifo_ = -1;
    std::map<int, std::string> pending_; // unfinished line per descriptor
};

} // namespace sim
