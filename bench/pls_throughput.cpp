// The link's PLS operations against vorna7-sim with the wire time of 19200 baud: recalling
// every channel, and downloading the configuration with every channel, each timed and set
// against the wire limit of the exchanges it made. Side by side, in alternating turns, a
// raw termios client replays exactly the bytes the link sent and must get the same answers:
// the best any implementation could do with those bytes on the same line.
//
//   pls_throughput [--seconds S]     (S of link time per figure, default 3)

#include <QCoreApplication>
#include <QStringList>
#include <QVector>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

#include "CancelPrompter.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "RawLine.h"
#include "RecordingPort.h"
#include "SimulatorProcess.h"
#include "SteadyClock.h"

namespace {

constexpr int Baud = 19200;
constexpr double WireLimit = Baud / 20.0; // one byte each way of 10 bits per exchange
constexpr int ChannelCount = 8;
constexpr int RecallSteps = 2;
constexpr int RecallOnState = 1;
constexpr int RecallOffState = 0;
constexpr int ConfigSize = 24;
// Turns short enough that both clients see the same machine load.
constexpr double TurnSeconds = 0.5;

struct Setpoints {
    int on;
    int off;
};

// Distinct windows inside the default scale of 360.
Setpoints setpointsOf(int channel) {
    return {20 + 40 * channel, 45 + 40 * channel};
}

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

std::string hexByte(int byte) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", byte & 0xFF);
    return text;
}

// Fails the figure, saying what the link reported.
void require(bool ok, const char* what, const CancelPrompter& prompter) {
    if (!ok)
        throw std::runtime_error(std::string(what) + " failed: " + prompter.last.toStdString());
}

using Operation = std::function<void(RSComm&, const CancelPrompter&)>;

void recallAllChannels(RSComm& link, const CancelPrompter& prompter) {
    for (int channel = 0; channel < ChannelCount; ++channel) {
        const Setpoints expected = setpointsOf(channel);
        for (int step = 0; step < RecallSteps; ++step) {
            require(link.RecallChannel(channel), "RecallChannel", prompter);
            const int state = step == 0 ? RecallOnState : RecallOffState;
            const int position = step == 0 ? expected.on : expected.off;
            if (link.ChannelRecallState() != state || link.ChannelRecallPos() != position)
                throw std::runtime_error("channel " + std::to_string(channel) + " recalled " +
                                         std::to_string(link.ChannelRecallState()) + " " +
                                         std::to_string(link.ChannelRecallPos()));
        }
    }
}

Operation downloadEverything(const QVector<int>& config, int scale) {
    return [config, scale](RSComm& link, const CancelPrompter& prompter) {
        require(link.PLSConfigDownload(config, scale), "PLSConfigDownload", prompter);
        for (int channel = 0; channel < ChannelCount; ++channel) {
            const Setpoints wanted = setpointsOf(channel);
            require(link.SingleSetpoint(channel, wanted.on, wanted.off, true), "SingleSetpoint",
                    prompter);
        }
    };
}

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
    Timing& operator+=(const Timing& other) {
        operations += other.operations;
        exchanges += other.exchanges;
        seconds += other.seconds;
        return *this;
    }
    double perSecond() const { return exchanges / seconds; }
    double millisEach() const { return seconds * 1e3 / operations; }
};

// The recording must pair every byte sent with its reply, and every run of the operation must
// have exchanged the same bytes, or the replay would not be the same work.
void keepScript(const RecordingPort& port, Script& script) {
    const Script run{port.sent(), port.received()};
    if (run.sent.size() != run.received.size() || port.discarded() != 0)
        throw std::runtime_error("the link did not get exactly one reply per byte sent");
    if (script.sent.isEmpty())
        script = run;
    else if (!(run == script))
        throw std::runtime_error("the link exchanged other bytes than in its first run");
}

Timing linkTurn(SimulatorProcess& sim, const Operation& operation, Script& script) {
    SteadyClock clock;
    CancelPrompter prompter;
    RSComm link(sim.appDir(), clock, prompter);
    QtSerialPort line(sim.appDir());
    RecordingPort port(line);
    link.OpenRSComm(port);
    require(link.OnlineMode, "OpenRSComm", prompter);
    Timing timing;
    do {
        port.clear();
        const double start = now();
        operation(link, prompter);
        timing.seconds += now() - start;
        keepScript(port, script);
        timing.exchanges += port.sent().size();
        ++timing.operations;
    } while (timing.seconds < TurnSeconds);
    link.CloseRSComm();
    return timing;
}

Timing rawTurn(SimulatorProcess& sim, const Script& script, long operations) {
    RawLine line(sim.linePath());
    Timing timing;
    for (long i = 0; i < operations; ++i) {
        const double start = now();
        for (qsizetype at = 0; at < script.sent.size(); ++at) {
            const int reply = line.exchange(static_cast<unsigned char>(script.sent[at]));
            const int expected = static_cast<unsigned char>(script.received[at]);
            if (reply != expected)
                throw std::runtime_error("raw client: byte " + std::to_string(at + 1) + " (" +
                                         hexByte(script.sent[at]) + ") answered " +
                                         (reply < 0 ? std::string("nothing") : hexByte(reply)) +
                                         " where the link got " + hexByte(expected));
        }
        timing.seconds += now() - start;
        timing.exchanges += script.sent.size();
        ++timing.operations;
    }
    return timing;
}

struct SideBySide {
    Timing link;
    Timing raw;
    Script script;
};

SideBySide measure(SimulatorProcess& sim, const Operation& operation, double seconds) {
    SideBySide result;
    while (result.link.seconds < seconds) {
        const Timing linkPart = linkTurn(sim, operation, result.script);
        result.link += linkPart;
        result.raw += rawTurn(sim, result.script, linkPart.operations);
    }
    return result;
}

// Time per exchange beyond the two byte times on the wire: what scheduling and the line cost.
double microsBeyondWire(const Timing& timing) {
    return (timing.seconds / timing.exchanges - 1.0 / WireLimit) * 1e6;
}

void printFigure(const char* label, const SideBySide& figure) {
    std::printf("%-30s %4lld exchanges   link %7.2f ms = %.3f of the wire limit   raw %7.2f ms "
                "= %.3f   link/raw %.3f\n",
                label, static_cast<long long>(figure.script.sent.size()), figure.link.millisEach(),
                figure.link.perSecond() / WireLimit, figure.raw.millisEach(),
                figure.raw.perSecond() / WireLimit,
                figure.link.perSecond() / figure.raw.perSecond());
    std::printf("%-30s %ld runs each; beyond the wire time: link %.1f us/exchange, raw %.1f us\n",
                "", figure.link.operations, microsBeyondWire(figure.link),
                microsBeyondWire(figure.raw));
}

double secondsOption(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--seconds")
            return std::max(0.1, std::atof(argv[i + 1]));
    }
    return 3.0;
}

QVector<int> numbers(const QString& text) {
    QVector<int> values;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        values.append(word.toInt());
    return values;
}

void programChannelsDirectly(SimulatorProcess& sim) {
    for (int channel = 0; channel < ChannelCount; ++channel) {
        const Setpoints wanted = setpointsOf(channel);
        sim.command(QStringLiteral("channel %1 %2 %3").arg(channel).arg(wanted.on).arg(wanted.off));
    }
}

// What the download left in the board: the configuration, the scale and every channel.
void checkBoardAfterDownload(SimulatorProcess& sim, const QVector<int>& config, int scale) {
    if (numbers(sim.command(QStringLiteral("pls-config"))) != config ||
        sim.command(QStringLiteral("get W186")).toInt() != scale)
        throw std::runtime_error("the board does not hold the downloaded configuration");
    for (int channel = 0; channel < ChannelCount; ++channel) {
        const Setpoints wanted = setpointsOf(channel);
        const QString expected = QStringLiteral("setpoints %1 %2").arg(wanted.on).arg(wanted.off);
        if (sim.command(QStringLiteral("channel %1").arg(channel)) != expected)
            throw std::runtime_error("channel " + std::to_string(channel) +
                                     " was not programmed by the download");
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const double seconds = secondsOption(argc, argv);
    try {
        SimulatorProcess sim;
        sim.requireRunning();
        sim.command(QStringLiteral("pls-busy 0"));
        sim.command(QStringLiteral("wire %1").arg(Baud));
        programChannelsDirectly(sim);
        // The board's own configuration and scale, so it takes them back as they are.
        const QVector<int> config = numbers(sim.command(QStringLiteral("pls-config")));
        const int scale = sim.command(QStringLiteral("get W186")).toInt();
        if (config.size() != ConfigSize || scale <= setpointsOf(ChannelCount - 1).off)
            throw std::runtime_error("unexpected PLS configuration in the simulator");

        std::printf("pls_throughput: RSComm over QtSerialPort, and a raw termios client replaying "
                    "the link's bytes,\nvorna7-sim on %s with the wire time of %d baud (wire "
                    "limit %.0f exchanges/s), PLS busy %s ms, about %.1f s per figure\n"
                    "load average before: %s\n\n",
                    qPrintable(sim.device()), Baud, WireLimit,
                    qPrintable(sim.command(QStringLiteral("pls-busy"))), seconds,
                    loadAverage().c_str());

        const SideBySide recall = measure(sim, recallAllChannels, seconds);
        printFigure("recall 8 channels x 2 steps", recall);
        const SideBySide download = measure(sim, downloadEverything(config, scale), seconds);
        printFigure("config download + 8 channels", download);
        checkBoardAfterDownload(sim, config, scale);

        std::printf("                               (target: at least 0.950 of the wire limit)\n"
                    "raw client got the link's answers to all %lld + %lld bytes in every run\n"
                    "load average after: %s\n",
                    static_cast<long long>(recall.script.sent.size()),
                    static_cast<long long>(download.script.sent.size()), loadAverage().c_str());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "pls_throughput: %s\n", failure.what());
        return 1;
    }
    return 0;
}
