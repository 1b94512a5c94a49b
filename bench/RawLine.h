#pragma once

#include <QString>

// The least a client can do on a serial line: raw termios, one byte written, a blocking poll
// for the reply. What it achieves is the best any implementation could on the same line.
class RawLine {
public:
    // Throws std::runtime_error when the line cannot be opened.
    explicit RawLine(const QString& path);
    ~RawLine();
    RawLine(const RawLine&) = delete;
    RawLine& operator=(const RawLine&) = delete;

    // Sends one byte and blocks for the reply; -1 when none came in time.
    int exchange(unsigned char byte, int waitMs = 1000);
    // Sends one byte that the board does not answer.
    void send(unsigned char byte);
    // Throws std::runtime_error when the reply is not `reply`.
    void expect(unsigned char byte, int reply);

private:
    int fd_;
};
