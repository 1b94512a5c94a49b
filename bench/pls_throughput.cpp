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
#include "SideBySide.h"
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

struct Setpoints {
    int on;
    int off;
};

// Distinct windows inside the default scale of 360.
Setpoints setpointsOf(int channel) {
    return {20 + 40 * channel, 45 + 40 * channel};
}

using Operation = SideBySide::Operation;

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

// Time per exchange beyond the two byte times on the wire: what scheduling and the line cost.
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

        const SideBySide recall = SideBySide::measure(sim, recallAllChannels, seconds);
        recall.print("recall 8 channels x 2 steps", WireLimit);
        const SideBySide download =
            SideBySide::measure(sim, downloadEverything(config, scale), seconds);
        download.print("config download + 8 channels", WireLimit);
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
