#include "SideBySide.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "CancelPrompter.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "RawLine.h"
#include "RecordingPort.h"
#include "SimulatorProcess.h"
#include "SteadyClock.h"

namespace {

// Turns short enough that both clients see the same machine load.
constexpr double TurnSeconds = 0.5;

std::string hexByte(int byte) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", byte & 0xFF);
    return text;
}

// The recording must pair every byte sent with its reply, and every run of the operation must
// have exchanged the same bytes, or the replay would not be the same work.
void keepScript(const RecordingPort& port, SideBySide::Script& script) {
    const SideBySide::Script run{port.sent(), port.received()};
    if (run.sent.size() != run.received.size() || port.discarded() != 0)
        throw std::runtime_error("the link did not get exactly one reply per byte sent");
    if (script.sent.isEmpty())
        script = run;
    else if (!(run == script))
        throw std::runtime_error("the link exchanged other bytes than in its first run");
}

SideBySide::Timing linkTurn(SimulatorProcess& sim, const SideBySide::Operation& operation,
                            SideBySide::Script& script) {
    SteadyClock clock;
    CancelPrompter prompter;
    RSComm link(sim.appDir(), clock, prompter);
    QtSerialPort line(sim.appDir());
    RecordingPort port(line);
    link.OpenRSComm(port);
    require(link.OnlineMode, "OpenRSComm", prompter);
    SideBySide::Timing timing;
    do {
        port.clear();
        const double start = benchNow();
        operation(link, prompter);
        timing.seconds += benchNow() - start;
        keepScript(port, script);
        timing.exchanges += port.sent().size();
        ++timing.operations;
    } while (timing.seconds < TurnSeconds);
    link.CloseRSComm();
    return timing;
}

SideBySide::Timing rawTurn(SimulatorProcess& sim, const SideBySide::Script& script,
                           long operations) {
    RawLine line(sim.linePath());
    SideBySide::Timing timing;
    for (long i = 0; i < operations; ++i) {
        const double start = benchNow();
        for (qsizetype at = 0; at < script.sent.size(); ++at) {
            const int reply = line.exchange(static_cast<unsigned char>(script.sent[at]));
            const int expected = static_cast<unsigned char>(script.received[at]);
            if (reply != expected)
                throw std::runtime_error("raw client: byte " + std::to_string(at + 1) + " (" +
                                         hexByte(script.sent[at]) + ") answered " +
                                         (reply < 0 ? std::string("nothing") : hexByte(reply)) +
                                         " where the link got " + hexByte(expected));
        }
        timing.seconds += benchNow() - start;
        timing.exchanges += script.sent.size();
        ++timing.operations;
    }
    return timing;
}

} // namespace

SideBySide::Timing& SideBySide::Timing::operator+=(const Timing& other) {
    operations += other.operations;
    exchanges += other.exchanges;
    seconds += other.seconds;
    return *this;
}

SideBySide SideBySide::measure(SimulatorProcess& sim, const Operation& operation, double seconds) {
    SideBySide result;
    while (result.link.seconds < seconds) {
        const Timing linkPart = linkTurn(sim, operation, result.script);
        result.link += linkPart;
        result.raw += rawTurn(sim, result.script, linkPart.operations);
    }
    return result;
}

double benchNow() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

double secondsOption(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--seconds")
            return std::max(0.1, std::atof(argv[i + 1]));
    }
    return 3.0;
}

void require(bool ok, const char* what, const CancelPrompter& prompter) {
    if (!ok)
        throw std::runtime_error(std::string(what) + " failed: " + prompter.last.toStdString());
}

void SideBySide::print(const char* label, double wireLimit) const {
    const auto beyondWire = [wireLimit](const Timing& timing) {
        return (timing.seconds / timing.exchanges - 1.0 / wireLimit) * 1e6;
    };
    std::printf("%-30s %4lld exchanges   link %7.2f ms = %.3f of the wire limit   raw %7.2f ms "
                "= %.3f   link/raw %.3f\n",
                label, static_cast<long long>(script.sent.size()), link.millisEach(),
                link.perSecond() / wireLimit, raw.millisEach(), raw.perSecond() / wireLimit,
                link.perSecond() / raw.perSecond());
    std::printf("%-30s %ld runs each; beyond the wire time: link %.1f us/exchange, raw %.1f us\n",
                "", link.operations, beyondWire(link), beyondWire(raw));
}
