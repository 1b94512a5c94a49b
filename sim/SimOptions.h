#pragma once

#include <optional>
#include <string>

namespace sim {

// Command line of vorna7-sim.
class SimOptions {
public:
    std::string appDir; // empty: the folder of the executable
    int port = 1;
    int wireBaud = 0;
    std::string control;
    std::optional<int> speed;
    bool silent = false;
    bool wrongEcho = false;
    bool wrongAcknowledge = false;
    std::optional<int> plsBusyMs;
    bool plsNotReady = false;
    bool plsWrongAcknowledge = false;
    bool badRecall = false;
    std::optional<int> firmware;
    std::optional<int> faultCode;
    // The library's bare board (set-up parameters, fault code and board type 0) instead of
    // the plausible running bodymaker.
    bool bare = false;
    bool help = false;
    bool version = false;

    // Nothing with a one-line reason in `error` when the arguments are wrong.
    static std::optional<SimOptions> parse(int argc, const char* const* argv, std::string& error);
    static const char* usage();
};

} // namespace sim
