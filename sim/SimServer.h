#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>

#include "Board.h"
#include "ControlChannel.h"
#include "PortAlias.h"
#include "PseudoTerminal.h"
#include "WireSchedule.h"

namespace sim {

// Serves a board on a pseudo-terminal: bytes from the program go to the board, answers go
// back when the emulated wire would deliver them. Sleeps in poll while nothing happens;
// ends on SIGINT or SIGTERM.
class SimServer {
public:
    using Nanos = std::int64_t;

    SimServer(Board& board, std::filesystem::path appDir, int port);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Line, alias, control channel (when `control` is not empty) and signal handling.
    bool start(const std::string& control, std::string& error);
    const std::string& devicePath() const { return line_.devicePath(); }
    const ControlChannel& control() const { return control_; }

    // Until a stop signal: 0, or 1 after a failure reported on standard error.
    int run();

private:
    // Under this much time before an answer is due, sleep to the deadline instead of polling.
    static constexpr Nanos FinalStretch = 2'000'000;

    struct Answer {
        Nanos due;
        std::uint8_t byte;
    };

    static Nanos now();
    static void sleepUntil(Nanos deadline);

    bool openLine(std::string& error);
    bool replaceDroppedLine();
    void readLine();
    void sendDueAnswers();
    bool waitForWork(Nanos timeout, bool& stop);
    void serviceControl(int fd);

    Board& board_;
    std::filesystem::path appDir_;
    int port_;
    PseudoTerminal line_;
    PortAlias alias_;
    ControlChannel control_;
    WireSchedule schedule_;
    std::deque<Answer> answers_;
    int signals_ = -1;
    bool failed_ = false;
};

} // namespace sim
