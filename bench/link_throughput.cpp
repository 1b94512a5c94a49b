// The link's exchange rate and its cost while waiting, measured against vorna7-sim on a
// pseudo-terminal, side by side with a minimal raw-termios client doing the same
// exchanges on the same line: the best any implementation could do there.
//
//   link_throughput [--seconds S]     (S per figure and client, default 3)

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "CancelPrompter.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "RawLine.h"
#include "SimulatorProcess.h"
#include "SteadyClock.h"

namespace {

// W1022 holds 0x1234: a read is 03/03 FE/34 03/03 FF/12 once the board is in read mode.
const QString BenchAddress = QStringLiteral("W1022");
const QString BenchValue = QStringLiteral("4660");
constexpr int ExchangesPerRead = 4;
constexpr unsigned char ReadSequence[ExchangesPerRead][2] = {
    {0x03, 0x03}, {0xFE, 0x34}, {0x03, 0x03}, {0xFF, 0x12}};

using Seconds = std::chrono::duration<double>;

double now() {
    return Seconds(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// User + system time of another process, from /proc.
double processCpuSeconds(qint64 pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t afterName = text.rfind(')');
    if (afterName == std::string::npos)
        return 0;
    std::istringstream fields(text.substr(afterName + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14 || i == 15)
            ticks += std::stod(field);
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

struct Rate {
    long exchanges = 0;
    double seconds = 0;
    Rate& operator+=(const Rate& other) {
        exchanges += other.exchanges;
        seconds += other.seconds;
        return *this;
    }
    double perSecond() const { return exchanges / seconds; }
    double microsEach() const { return seconds * 1e6 / exchanges; }
};

// Reads for about `seconds`, checking every value; counts the exchanges.
Rate timeReads(double seconds, const std::function<void()>& read) {
    Rate rate;
    const double start = now();
    do {
        for (int i = 0; i < 25; ++i)
            read();
        rate.exchanges += 25 * ExchangesPerRead;
        rate.seconds = now() - start;
    } while (rate.seconds < seconds);
    return rate;
}

Rate linkRate(SimulatorProcess& sim, double seconds) {
    SteadyClock clock;
    CancelPrompter prompter;
    RSComm link(sim.appDir(), clock, prompter);
    QtSerialPort port(sim.appDir());
    link.OpenRSComm(port);
    if (!link.OnlineMode || link.RSRead(BenchAddress) != BenchValue)
        throw std::runtime_error("the link could not read: " + prompter.last.toStdString());
    const Rate rate = timeReads(seconds, [&] {
        if (link.RSRead(BenchAddress) != BenchValue)
            throw std::runtime_error("the link read a wrong value: " + prompter.last.toStdString());
    });
    link.CloseRSComm();
    return rate;
}

Rate rawRate(SimulatorProcess& sim, double seconds) {
    RawLine line(sim.linePath());
    line.expect(0xFF, 0x55);
    line.expect(0x01, 0x55);
    return timeReads(seconds, [&] {
        for (const auto& step : ReadSequence)
            line.expect(step[0], step[1]);
    });
}

struct TimeoutCost {
    double wallSeconds;
    double cpuSeconds;
    double simulatorCpuSeconds;
};

// One read against a board that has gone silent: 1 s, resynchronise, 2 s, again, 2 s,
// then the Retry/Cancel message (answered Cancel).
TimeoutCost linkTimeout(SimulatorProcess& sim) {
    SteadyClock clock;
    CancelPrompter prompter;
    RSComm link(sim.appDir(), clock, prompter);
    QtSerialPort port(sim.appDir());
    link.OpenRSComm(port);
    if (link.RSRead(BenchAddress) != BenchValue)
        throw std::runtime_error("the link could not read");
    sim.command(QStringLiteral("fault silence on"));
    const double simCpu = processCpuSeconds(sim.processId());
    const double cpu = cpuSeconds();
    const double start = now();
    link.RSRead(BenchAddress);
    const TimeoutCost cost{now() - start, cpuSeconds() - cpu,
                           processCpuSeconds(sim.processId()) - simCpu};
    if (!link.CommError || prompter.count != 1)
        throw std::runtime_error("the silent board was not reported once");
    link.CloseRSComm();
    sim.command(QStringLiteral("fault silence off"));
    return cost;
}

TimeoutCost rawTimeout(SimulatorProcess& sim, double seconds) {
    RawLine line(sim.linePath());
    sim.command(QStringLiteral("fault silence on"));
    const double cpu = cpuSeconds();
    const double start = now();
    line.exchange(0xFF, static_cast<int>(seconds * 1000));
    const TimeoutCost cost{now() - start, cpuSeconds() - cpu, 0};
    sim.command(QStringLiteral("fault silence off"));
    return cost;
}

struct SideBySide {
    Rate link;
    Rate raw;
};

// Short turns of each, alternating, so that whatever else the machine is doing weighs on
// both figures alike.
SideBySide measure(SimulatorProcess& sim, double seconds) {
    constexpr double Turn = 0.5;
    SideBySide result;
    while (result.link.seconds < seconds) {
        result.link += linkRate(sim, Turn);
        result.raw += rawRate(sim, Turn);
    }
    return result;
}

double secondsOption(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--seconds")
            return std::max(0.1, std::atof(argv[i + 1]));
    }
    return 3.0;
}

void printWireFigures(const char* label, int baud, const Rate& link, const Rate& raw) {
    const double limit = baud / 20.0; // 2 bytes of 10 bits per exchange
    std::printf("%-11s link %7.1f/s = %.3f of the wire limit (%.0f/s)   raw %7.1f/s = %.3f   "
                "link/raw %.3f\n",
                label, link.perSecond(), link.perSecond() / limit, limit, raw.perSecond(),
                raw.perSecond() / limit, link.perSecond() / raw.perSecond());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const double seconds = secondsOption(argc, argv);
    try {
        SimulatorProcess sim;
        sim.requireRunning();
        sim.command(QStringLiteral("set W1022 4660"));
        std::printf("link_throughput: RSComm over QtSerialPort and a raw termios client,\n"
                    "vorna7-sim on %s, about %.1f s per figure\n\n",
                    qPrintable(sim.device()), seconds);

        const auto [link, raw] = measure(sim, seconds);
        std::printf(
            "no wire time  link %8.0f exchanges/s %6.1f us/exchange   raw %8.0f/s %6.1f us   "
            "link/raw %.3f (target: at most 60 us/exchange)\n",
            link.perSecond(), link.microsEach(), raw.perSecond(), raw.microsEach(),
            link.perSecond() / raw.perSecond());

        for (const int baud : {19200, 9600}) {
            sim.command(QStringLiteral("wire %1").arg(baud));
            const auto [wireLink, wireRaw] = measure(sim, seconds);
            printWireFigures(baud == 19200 ? "19200 baud" : "9600 baud", baud, wireLink, wireRaw);
        }
        std::printf("            (target: at least 0.950 of the wire limit at both speeds)\n");

        sim.command(QStringLiteral("wire 0"));
        const TimeoutCost linkWait = linkTimeout(sim);
        const TimeoutCost rawWait = rawTimeout(sim, linkWait.wallSeconds);
        std::printf("silent board link: %.3f CPU s over a %.2f s time-out   raw: %.3f CPU s over "
                    "%.2f s   simulator meanwhile: %.3f CPU s (target: link under 0.1 s)\n",
                    linkWait.cpuSeconds, linkWait.wallSeconds, rawWait.cpuSeconds,
                    rawWait.wallSeconds, linkWait.simulatorCpuSeconds);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "link_throughput: %s\n", failure.what());
        return 1;
    }
    return 0;
}
