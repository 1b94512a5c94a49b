#pragma once

#include <array>
#include <cstddef>

// Byte I/O on an open terminal's descriptor, with what arrived read ahead and kept here.
// Waits block in poll(); nothing here touches the event loop.
class DescriptorLine {
public:
    enum class Outcome { Done, TimedOut, Failed };

    void attach(int descriptor);
    void detach();

    int buffered() const { return end_ - start_; }
    // Waits up to `waitMs` for input and reads what is there. Done when bytes were read,
    // TimedOut when none came, Failed when the line hung up or reported an error.
    Outcome fill(int waitMs);
    // The next byte read ahead, or -1.
    int take();
    // Forgets what was read ahead.
    void drop() { start_ = end_ = 0; }
    // Writes every byte, waiting up to `waitMs` whenever the driver's buffer is full.
    Outcome write(const char* bytes, std::size_t count, int waitMs);

    // errno of the last failure; 0 for a hang-up without one.
    int error() const { return error_; }

private:
    Outcome failed(int error);
    Outcome readWhatIsThere();

    int fd_ = -1;
    int error_ = 0;
    std::array<unsigned char, 256> input_{};
    int start_ = 0;
    int end_ = 0;
};
