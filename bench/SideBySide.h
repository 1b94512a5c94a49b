#pragma once

#include <QByteArray>
#include <functional>
#include <string>

class CancelPrompter;
class RSComm;
class SimulatorProcess;

// One link operation timed on vorna7-sim, side by side with a raw termios client that replays
// exactly the bytes the link exchanged, in alternating short turns so both see the same load.
struct SideBySide {
    using Operation = std::function<void(RSComm&, const CancelPrompter&)>;

    // What the link sent during one operation and what came back, byte for byte.
    struct Script {
        QByteArray sent;
        QByteArray received;
        bool operator==(const Script&) const = default;
    };
    struct Timing {
        long operations = 0;
        long exchanges = 0;
        double seconds = 0;
        Timing& operator+=(const Timing& other);
        double perSecond() const { return exchanges / seconds; }
        double millisEach() const { return seconds * 1e3 / operations; }
    };

    Timing link;
    Timing raw;
    Script script;

    // Runs `operation` until the link has spent `seconds` on it.
    static SideBySide measure(SimulatorProcess& sim, const Operation& operation, double seconds);
    // Two lines: exchanges, time and share of `wireLimit` (exchanges a second) for the link and
    // the raw client, their ratio, and what each spends beyond the wire time.
    void print(const char* label, double wireLimit) const;
};

// Shared by the benchmark programs.
double benchNow();
std::string loadAverage();
// The value of --seconds S on the command line, at least 0.1; 3 when absent.
double secondsOption(int argc, char** argv);
// Fails the figure, saying what the link reported.
void require(bool ok, const char* what, const CancelPrompter& prompter);
