#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <termios.h>
#include <unistd.h>

#include "DescriptorLine.h"

namespace {

using Outcome = DescriptorLine::Outcome;

// The program's end of a pseudo-terminal, opened raw and non-blocking as the port opens it;
// the test plays the far end.
struct Terminal {
    int far = ::posix_openpt(O_RDWR | O_NOCTTY);
    int near = far >= 0 && ::grantpt(far) == 0 && ::unlockpt(far) == 0
                   ? ::open(::ptsname(far), O_RDWR | O_NOCTTY | O_NONBLOCK)
                   : -1;
    DescriptorLine line;

    Terminal() {
        termios raw{};
        ::tcgetattr(near, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(near, TCSANOW, &raw);
        line.attach(near);
    }
    ~Terminal() {
        ::close(far);
        ::close(near);
    }
};

// What the far end does, and what the line then finds: one wait for input, one write.
TEST(DescriptorLine, FindsWhatTheFarEndDid) {
    const std::string bytes("\x55\x00\xFF", 3);
    const std::string block(1 << 20, 'x');
    const struct {
        const char* name;
        std::string farSends;
        bool farHangsUp;
        Outcome read;
        std::string nearSends; // the far end reads nothing
        Outcome write;
    } cases[] = {
        {"bytes both ways", bytes, false, Outcome::Done, bytes, Outcome::Done},
        {"silence, a full driver buffer", "", false, Outcome::TimedOut, block, Outcome::TimedOut},
        {"hang-up", "", true, Outcome::Failed, bytes, Outcome::Failed},
    };
    for (const auto& c : cases) {
        Terminal terminal;
        ASSERT_EQ(::write(terminal.far, c.farSends.data(), c.farSends.size()),
                  static_cast<ssize_t>(c.farSends.size()));
        if (c.farHangsUp)
            ::close(std::exchange(terminal.far, -1));
        EXPECT_EQ(terminal.line.fill(c.read == Outcome::TimedOut ? 20 : 2000), c.read) << c.name;
        std::string taken;
        for (int byte = terminal.line.take(); byte >= 0; byte = terminal.line.take())
            taken += static_cast<char>(byte);
        EXPECT_EQ(taken, c.farSends) << c.name;
        EXPECT_EQ(terminal.line.write(c.nearSends.data(), c.nearSends.size(), 20), c.write)
            << c.name;
    }
}

} // namespace
