#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <termios.h>
#include <unistd.h>

#include "DescriptorLine.h"

namespace {

using Outcome = DescriptorLine::Outcome;

// A pseudo-terminal: the program's end opened as the port opens its device (raw,
// non-blocking), and the far end the test plays.
struct Terminal {
    int far = ::posix_openpt(O_RDWR | O_NOCTTY);
    int near = -1;
    DescriptorLine line;

    Terminal() {
        if (far < 0 || ::grantpt(far) != 0 || ::unlockpt(far) != 0)
            return;
        near = ::open(::ptsname(far), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios settings{};
        ::tcgetattr(near, &settings);
        ::cfmakeraw(&settings);
        ::tcsetattr(near, TCSANOW, &settings);
        line.attach(near);
    }
    ~Terminal() {
        closeFar();
        if (near >= 0)
            ::close(near);
    }
    void closeFar() {
        if (far >= 0)
            ::close(far);
        far = -1;
    }
    std::string taken() {
        std::string bytes;
        for (int byte = line.take(); byte >= 0; byte = line.take())
            bytes += static_cast<char>(byte);
        return bytes;
    }
};

// What the far end does, and what one wait of the line then finds.
TEST(DescriptorLine, OneWaitFindsWhatTheFarEndDid) {
    const std::string bytes("\x55\x00\xFF", 3);
    const struct {
        const char* name;
        bool hangUp;
        std::string sent;
        Outcome outcome;
    } cases[] = {
        {"bytes", false, bytes, Outcome::Done},
        {"nothing", false, "", Outcome::TimedOut},
        {"hang-up", true, "", Outcome::Failed},
    };
    for (const auto& c : cases) {
        Terminal terminal;
        ASSERT_TRUE(terminal.line.attached());
        if (c.hangUp) {
            terminal.closeFar();
        } else {
            ASSERT_EQ(::write(terminal.far, c.sent.data(), c.sent.size()),
                      static_cast<ssize_t>(c.sent.size()));
        }
        // Bytes or a hang-up end the wait at once; the quiet line's wait is kept short.
        EXPECT_EQ(terminal.line.fill(c.outcome == Outcome::TimedOut ? 20 : 2000), c.outcome)
            << c.name;
        EXPECT_EQ(terminal.taken(), c.sent) << c.name;
    }
}

TEST(DescriptorLine, SendsEveryByteAndForgetsWhatWasReadAheadWhenDropped) {
    Terminal terminal;
    ASSERT_EQ(terminal.line.write("\x03\xFE\x00", 3, 1000), Outcome::Done);
    char arrived[4] = {};
    ASSERT_EQ(::read(terminal.far, arrived, sizeof arrived), 3);
    EXPECT_EQ(std::string(arrived, 3), std::string("\x03\xFE\x00", 3));

    ASSERT_EQ(::write(terminal.far, "ab", 2), 2);
    ASSERT_EQ(terminal.line.fill(2000), Outcome::Done);
    terminal.line.drop();
    EXPECT_EQ(terminal.line.buffered(), 0);
    EXPECT_EQ(terminal.line.take(), -1);
}

// A far end that reads nothing: once the driver's buffer is full the write gives up.
TEST(DescriptorLine, AWriteTheLineDoesNotTakeTimesOut) {
    Terminal terminal;
    const std::string block(1 << 20, 'x');
    EXPECT_EQ(terminal.line.write(block.data(), block.size(), 20), Outcome::TimedOut);
}

} // namespace
