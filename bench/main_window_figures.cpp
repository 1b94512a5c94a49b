// Figures for the program's main window, printed with their ratio to the goal:
//   - start-up to the main window shown (offscreen), median of repeated runs;
//   - CPU used while idle offline with each machine window open;
//   - each machine window's refresh passes per second online at 19200 baud, against the wire
//     limit of the bytes exchanged (vorna7-sim emulates the wire time);
//   - the longest wait of a posted event while each machine window refreshes online at 9600;
//   - resident memory with the main window open;
//   - the refresh and the longest wait again with the link monitor open on Main Display, and
//     the monitor's memory after 1,000,000 exchanges.
//
//   main_window_figures [--seconds S] [--idle-seconds S] [--runs N] [--rounds R]
//                       [--round-seconds S] [--window W]
// --runs: start-up runs; --rounds: refresh rounds of --round-seconds each, each against its own
// raw replay; --seconds: the stretch of the other timed figures.
// Without --window every machine window (0 Main Display .. 4 I/O States) is measured.

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "AppContext.h"
#include "FileDialogs.h"
#include "ForwardingSerialPort.h"
#include "LinkExchangeText.h"
#include "MachineWindow.h"
#include "MachineWindowSet.h"
#include "MessageBoxPrompter.h"
#include "ProcessUsage.h"
#include "QtFileDialogs.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "RawLine.h"
#include "RecordingPort.h"
#include "SteadyClock.h"
#include "frmLinkMonitor.h"
#include "frmMDIMain.h"

namespace {

constexpr int PatienceMs = 5000;
constexpr double StartupLimitMs = 300;
constexpr double IdleCpuLimitPercent = 0.5;
constexpr double WireRatioGoal = 0.95;
constexpr double RawRatioGoal = 0.97;
constexpr double RawRatioGoalMonitored = 0.95;
constexpr long MonitorExchanges = 1'000'000;
constexpr double EventGapLimitMs = 25;
constexpr double MemoryLimitMB = 80;
constexpr double BitsPerByte = 10; // start bit, 8 data bits, stop bit

double nowSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A loop of its own: quitting the application would close the main window.
void runEventLoopFor(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

// Answers every message Cancel, so a failure ends by itself instead of waiting on screen.
class CancelPrompter final : public Prompter {
public:
    int ask(const QString& title, const QString& text, Icon, Buttons) override {
        last = title + QStringLiteral(": ") + text;
        return Cancel;
    }
    QString last;
};

class NoFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFile(const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const QString&) override { return {}; }
};

// The real port, counting the bytes that cross it.
class CountingSerialPort final : public ForwardingSerialPort {
public:
    using ForwardingSerialPort::ForwardingSerialPort;

    bool send(const QByteArray& bytes) override {
        bytes_ += bytes.size();
        return line().send(bytes);
    }
    int readByte() override {
        const int byte = line().readByte();
        if (byte >= 0)
            ++bytes_;
        return byte;
    }

    long long bytes() const { return bytes_; }

private:
    long long bytes_ = 0;
};

// The program as main builds it, in a given application folder, with messages answered
// Cancel and no file dialogs.
struct Program {
    Program(const QString& folder, int window)
        : context(folder, prompter), serial(folder), recording(serial), counted(recording),
          link(folder, clock, prompter), machineWindows(context),
          main(context, link, counted, machineWindows, dialogs) {
        main.show();
        main.ShowBMForm(window);
    }
    MachineWindow* display() const {
        return qobject_cast<MachineWindow*>(main.currentMachineWindow());
    }
    void goOnline() {
        link.OnlineMode = true;
        main.SetOnlineMode();
        if (!link.OnlineMode)
            throw std::runtime_error("could not go online: " + prompter.last.toStdString());
    }

    CancelPrompter prompter;
    AppContext context;
    SteadyClock clock;
    QtSerialPort serial;
    RecordingPort recording;
    CountingSerialPort counted;
    RSComm link;
    NoFileDialogs dialogs;
    MachineWindowSet machineWindows;
    frmMDIMain main;
};

// vorna7-sim on a pseudo-terminal, linked as port 1 of its application folder.
struct Simulator {
    QTemporaryDir appDir;
    QProcess process;
    QString linePath;

    explicit Simulator(int baud) {
        const QString program =
            QCoreApplication::applicationDirPath() + QStringLiteral("/vorna7-sim");
        process.start(program,
                      {QStringLiteral("--appdir"), appDir.path(), QStringLiteral("--port"),
                       QStringLiteral("1"), QStringLiteral("--wire"), QString::number(baud)});
        while (!process.canReadLine() && process.waitForReadyRead(PatienceMs)) {
        }
        linePath = QString::fromLocal8Bit(process.readLine().trimmed());
        if (!linePath.startsWith(QLatin1Char('/')))
            throw std::runtime_error("vorna7-sim did not start: " + program.toStdString());
        QFile settings(appDir.filePath(QStringLiteral("Support/RSPort.cfg")));
        if (!settings.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write RSPort.cfg");
        settings.write(QByteArray("1,") + QByteArray::number(baud) + "\r\n");
    }
    ~Simulator() {
        process.terminate();
        if (!process.waitForFinished(PatienceMs))
            process.kill();
    }
};

// Posts one event after another and measures how long each waits to be handled.
class EventProbe final : public QObject {
public:
    void start() { post(); }
    double longestMs() const { return longest_ * 1000; }
    long handled() const { return handled_; }

protected:
    void customEvent(QEvent*) override {
        longest_ = std::max(longest_, nowSeconds() - postedAt_);
        ++handled_;
        post();
    }

private:
    void post() {
        postedAt_ = nowSeconds();
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }
    double postedAt_ = 0;
    double longest_ = 0;
    long handled_ = 0;
};

// ---- The figures ----------------------------------------------------------------------------

// The child builds the program as main does and reports the time from the parent's start
// of the process to the window being shown.
int startupChild(int argc, char* argv[], double launchedAt) {
    QApplication application(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    MessageBoxPrompter prompter;
    AppContext context(folder, prompter);
    SteadyClock clock;
    QtSerialPort port(folder);
    RSComm link(folder, clock, prompter);
    QtFileDialogs dialogs;
    MachineWindowSet machineWindows(context);
    frmMDIMain main(context, link, port, machineWindows, dialogs);
    main.show();
    while (!main.windowHandle() || !main.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    std::printf("%.3f\n", (nowSeconds() - launchedAt) * 1000);
    return 0;
}

void startupFigure(int runs) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const double launchedAt = nowSeconds();
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--startup-child"), QString::number(launchedAt, 'f', 6)});
        if (!child.waitForFinished(30000) || child.exitCode() != 0)
            throw std::runtime_error("start-up run failed");
        times.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("start-up to main window shown   median %7.1f ms of %d runs (%.0f..%.0f)"
                "   limit %.0f ms   ratio %.2f\n",
                median, runs, times.front(), times.back(), StartupLimitMs, median / StartupLimitMs);
}

const char* const WindowNames[] = {"Main Display", "Set-up Parameters", "Machine Timing",
                                   "Shift Data", "I/O States"};

// The link monitor open beside the machine window, or not.
enum class Monitor { Closed, Open };

std::string windowLabel(int window, Monitor monitor) {
    return std::string(WindowNames[window]) + (monitor == Monitor::Open ? " + monitor" : "");
}

void idleFigures(double seconds, int window) {
    QTemporaryDir folder;
    Program program(folder.path(), window);
    runEventLoopFor(0.5);
    const long long passesBefore = program.display()->passCount();
    const double cpuBefore = ProcessUsage::cpuSeconds();
    const double start = nowSeconds();
    runEventLoopFor(seconds);
    const double elapsed = nowSeconds() - start;
    const double percent = (ProcessUsage::cpuSeconds() - cpuBefore) / elapsed * 100;
    const double passesPerSecond =
        static_cast<double>(program.display()->passCount() - passesBefore) / elapsed;
    std::printf("idle offline, %-18s %7.2f %% of a core over %.0f s"
                " (%.0f offline passes/s)   limit %.1f %%   ratio %.2f\n",
                WindowNames[window], percent, elapsed, passesPerSecond, IdleCpuLimitPercent,
                percent / IdleCpuLimitPercent);
    const double rss = ProcessUsage::residentMegabytes();
    std::printf("resident memory, main window     %7.1f MB (peak %.1f MB)   limit %.0f MB"
                "   ratio %.2f\n",
                rss, ProcessUsage::statusMegabytes("VmHWM:"), MemoryLimitMB, rss / MemoryLimitMB);
}

// The bytes the link sent, one at a time with a blocking wait for each reply, as the least
// any client could do on the same line.
double rawReplaySeconds(const QString& linePath, const QByteArray& sent) {
    RawLine line(linePath);
    const double start = nowSeconds();
    for (const char byte : sent)
        line.exchange(static_cast<unsigned char>(byte), 100);
    return nowSeconds() - start;
}

// One stretch of refreshing and its raw replay.
struct RefreshRound {
    double passes = 0;
    double bytes = 0;
    double elapsed = 0;
    double raw = 0; // seconds the raw client took for the same bytes
    long long bytesSent = 0;

    double linkOverRaw() const { return raw / elapsed; }
};

RefreshRound refreshRound(Simulator& sim, Program& program, double seconds) {
    program.goOnline();
    runEventLoopFor(0.5);
    const long long passesBefore = program.display()->passCount();
    const long long bytesBefore = program.counted.bytes();
    program.recording.clear();
    const double start = nowSeconds();
    runEventLoopFor(seconds);
    RefreshRound round;
    round.elapsed = nowSeconds() - start;
    round.passes = static_cast<double>(program.display()->passCount() - passesBefore);
    round.bytes = static_cast<double>(program.counted.bytes() - bytesBefore);
    const QByteArray sent = program.recording.sent();
    round.bytesSent = sent.size();
    program.link.CloseRSComm();
    round.raw = rawReplaySeconds(sim.linePath, sent);
    return round;
}

// Link and raw client take turns on the same simulator, so a disturbance of the machine
// spoils one round rather than the figure; the round with the median link/raw is shown.
void refreshFigure(double seconds, int rounds, int window, Monitor monitor) {
    constexpr int Baud = 19200;
    Simulator sim(Baud);
    Program program(sim.appDir.path(), window);
    if (monitor == Monitor::Open)
        program.main.mnuViewLinkMonitor_Click();
    std::vector<RefreshRound> results;
    for (int round = 0; round < rounds; ++round)
        results.push_back(refreshRound(sim, program, seconds));
    std::sort(results.begin(), results.end(), [](const RefreshRound& a, const RefreshRound& b) {
        return a.linkOverRaw() < b.linkOverRaw();
    });
    const RefreshRound& median = results[results.size() / 2];
    std::string each;
    for (const RefreshRound& result : results)
        each +=
            (each.empty() ? "" : " ") + QString::number(result.linkOverRaw(), 'f', 3).toStdString();
    const double wireSeconds = median.bytes * BitsPerByte / Baud;
    const std::string label = windowLabel(window, monitor);
    std::printf("%-28s online at %d %7.1f passes/s, %.0f bytes/s; wire limit for"
                " those bytes %.1f passes/s   goal >= %.2f   ratio %.2f\n",
                label.c_str(), Baud, median.passes / median.elapsed, median.bytes / median.elapsed,
                median.passes / wireSeconds, WireRatioGoal, wireSeconds / median.elapsed);
    std::printf("%-28s raw client replaying the %lld bytes sent %7.1f passes/s"
                "   link/raw %.3f (median of %d rounds: %s)   goal >= %.2f\n",
                label.c_str(), median.bytesSent, median.passes / median.raw, median.linkOverRaw(),
                rounds, each.c_str(),
                monitor == Monitor::Open ? RawRatioGoalMonitored : RawRatioGoal);
}

void latencyFigure(double seconds, int window, Monitor monitor) {
    constexpr int Baud = 9600;
    Simulator sim(Baud);
    Program program(sim.appDir.path(), window);
    program.goOnline();
    if (monitor == Monitor::Open)
        program.main.mnuViewLinkMonitor_Click();
    runEventLoopFor(0.5);
    EventProbe probe;
    const long long passesBefore = program.display()->passCount();
    probe.start();
    runEventLoopFor(seconds);
    std::printf("posted event, %-28s refreshing at %d: longest wait %6.1f ms over %ld events"
                " and %lld passes   limit %.0f ms   ratio %.2f\n",
                windowLabel(window, monitor).c_str(), Baud, probe.longestMs(), probe.handled(),
                program.display()->passCount() - passesBefore, EventGapLimitMs,
                probe.longestMs() / EventGapLimitMs);
}

// Exchanges as the link reports them: word reads, now and then a program record or a failure.
LinkExchange sampleExchange(long number) {
    LinkExchange exchange;
    exchange.at = number * 2000;
    if (number % 50 == 0) {
        exchange.operation = LinkExchangeText::programRecord(
            QStringLiteral("%1H").arg(number % 0x10000, 4, 16, QLatin1Char('0')).toUpper());
        exchange.sent = QByteArray(19, '\x5A');
        exchange.received = QByteArray(1, '\x12');
    } else {
        // Names of one length throughout, so the first ringful weighs what any later one does.
        exchange.operation =
            LinkExchangeText::read(QStringLiteral("W%1").arg(1000 + number % 1000)) +
            QStringLiteral(" = %1").arg(10000 + number % 50000);
        exchange.sent = QByteArray::fromHex("0303FE0303FF");
        exchange.received = QByteArray::fromHex("0303CD0303AB");
    }
    if (number % 100 == 7)
        exchange.outcomes = LinkExchange::TimeOut;
    return exchange;
}

// Bytes the heap holds for the program, exact where resident memory moves in whole pages and
// with what the allocator keeps back: blocks in its arenas and the large ones it maps apart.
double heapMegabytes() {
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd) / (1024.0 * 1024.0);
}

// What 20,000 rows are worth: that many exchanges held as the link hands them over.
double ringOfExchangesMegabytes() {
    const double before = heapMegabytes();
    std::vector<LinkExchange> rows;
    rows.reserve(LinkExchangeRing::Capacity);
    for (long number = 0; number < LinkExchangeRing::Capacity; ++number)
        rows.push_back(sampleExchange(number));
    return heapMegabytes() - before;
}

// The monitor window opened and shown, fed as the link feeds it, with the batches shown and
// the view updated every thousand exchanges. Its memory counts from before it opened, so the
// window's own share is in the figure too.
void monitorMemoryFigure() {
    const double rowsWorth = ringOfExchangesMegabytes();
    QTemporaryDir folder;
    Program program(folder.path(), 0);
    runEventLoopFor(0.5);
    const double heapStart = heapMegabytes();
    program.main.mnuViewLinkMonitor_Click();
    LinkMonitorModel& model = program.main.linkMonitor()->model();
    runEventLoopFor(0.5);
    long fed = 0;
    const auto feedUpTo = [&](long total) {
        for (; fed < total; ++fed) {
            model.exchangeDone(sampleExchange(fed));
            if (fed % 1000 == 999) {
                model.showWaiting();
                QCoreApplication::processEvents();
            }
        }
        model.showWaiting();
        QCoreApplication::processEvents();
    };
    feedUpTo(LinkExchangeRing::Capacity);
    const double ringful = heapMegabytes() - heapStart;
    const double startTime = nowSeconds();
    feedUpTo(MonitorExchanges);
    const double elapsed = nowSeconds() - startTime;
    const double above = heapMegabytes() - heapStart;
    std::printf("link monitor after %ld exchanges  heap %6.3f MB above the start, before it"
                " opened (%.3f MB after its first %d; %d rows shown, %lld dropped; %.1f us"
                " each); %d exchanges as the link hands them over take %.3f MB   limit that"
                "   ratio %.2f\n",
                MonitorExchanges, above, ringful, LinkExchangeRing::Capacity, model.rowCount(),
                model.dropped(),
                elapsed / static_cast<double>(MonitorExchanges - LinkExchangeRing::Capacity) * 1e6,
                LinkExchangeRing::Capacity, rowsWorth, above / rowsWorth);
}

double optionValue(int argc, char* argv[], const char* name, double fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0)
            return std::atof(argv[i + 1]);
    }
    return fallback;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--startup-child") == 0)
        return startupChild(argc, argv, std::atof(argv[2]));

    const double seconds = optionValue(argc, argv, "--seconds", 5);
    const double idleSeconds = optionValue(argc, argv, "--idle-seconds", 10);
    const int runs = static_cast<int>(optionValue(argc, argv, "--runs", 9));
    // Many short rounds: the machine's own drift between a round's link and raw stretch moves a
    // round by 1-2 %, more than the link costs, and the median of many is what shows through.
    const int rounds = std::max(1, static_cast<int>(optionValue(argc, argv, "--rounds", 15)));
    const double roundSeconds = optionValue(argc, argv, "--round-seconds", 2);
    const int only = static_cast<int>(optionValue(argc, argv, "--window", -1));
    QApplication application(argc, argv);
    try {
        startupFigure(runs);
        for (int window = 0; window < 5; ++window) {
            if (only >= 0 && window != only)
                continue;
            idleFigures(idleSeconds, window);
            refreshFigure(roundSeconds, rounds, window, Monitor::Closed);
            latencyFigure(seconds, window, Monitor::Closed);
        }
        if (only <= 0) {
            refreshFigure(roundSeconds, rounds, 0, Monitor::Open);
            latencyFigure(seconds, 0, Monitor::Open);
            monitorMemoryFigure();
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "main_window_figures: %s\n", failure.what());
        return 1;
    }
    return 0;
}
