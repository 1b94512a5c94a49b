// Whole data sets against vorna7-sim with the wire time of 19200 baud: the upload and the
// download of File > Upload (save) Data and File > Download Data, each timed and set against
// the wire limit of the exchanges it made, side by side with a raw termios client replaying
// exactly the bytes the link sent (in alternating turns, so both see the same machine load).
// Then the time to draw the set-up report of the default data into a PDF.
//
//   data_transfer_figures [--seconds S]     (S of link time per figure, default 3)

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

#include "AppContext.h"
#include "CancelPrompter.h"
#include "DataTransfer.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "RSCommTransferLink.h"
#include "RawLine.h"
#include "RecordingPort.h"
#include "SimulatorProcess.h"
#include "SteadyClock.h"
#include "modReport.h"

namespace {

constexpr int Baud = 19200;
constexpr double WireLimit = Baud / 20.0; // one byte each way of 10 bits per exchange
constexpr double TurnSeconds = 0.5;
constexpr int ReportRuns = 50;
constexpr double ReportTargetMs = 200.0;

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

// One whole transfer of `mode` between `context` and the board.
void runTransfer(AppContext& context, RSComm& link, std::int16_t mode,
                 const CancelPrompter& prompter) {
    RSCommTransferLink transferLink(link);
    context.ProcessMode = mode;
    DataTransfer transfer(context, transferLink);
    transfer.RunProcess();
    if (!transfer.completed())
        throw std::runtime_error("the transfer did not complete: " + prompter.last.toStdString());
}

void keepScript(const RecordingPort& port, Script& script) {
    const Script run{port.sent(), port.received()};
    if (run.sent.size() != run.received.size() || port.discarded() != 0)
        throw std::runtime_error("the link did not get exactly one reply per byte sent");
    if (script.sent.isEmpty())
        script = run;
    else if (!(run == script))
        throw std::runtime_error("the link exchanged other bytes than in its first run");
}

Timing linkTurn(SimulatorProcess& sim, AppContext& context, std::int16_t mode, Script& script) {
    SteadyClock clock;
    CancelPrompter prompter;
    RSComm link(sim.appDir(), clock, prompter);
    QtSerialPort line(sim.appDir());
    RecordingPort port(line);
    link.OpenRSComm(port);
    if (!link.OnlineMode)
        throw std::runtime_error("OpenRSComm failed: " + prompter.last.toStdString());
    Timing timing;
    do {
        port.clear();
        const double start = now();
        runTransfer(context, link, mode, prompter);
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
            if (line.exchange(static_cast<unsigned char>(script.sent[at])) !=
                static_cast<unsigned char>(script.received[at]))
                throw std::runtime_error("raw client: byte " + std::to_string(at + 1) +
                                         " was answered otherwise than the link's");
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

SideBySide measure(SimulatorProcess& sim, AppContext& context, std::int16_t mode, double seconds) {
    SideBySide result;
    while (result.link.seconds < seconds) {
        const Timing linkPart = linkTurn(sim, context, mode, result.script);
        result.link += linkPart;
        result.raw += rawTurn(sim, result.script, linkPart.operations);
    }
    return result;
}

void printFigure(const char* label, const SideBySide& figure) {
    std::printf("%-22s %4lld exchanges   link %7.1f ms = %.3f of the wire limit   raw %7.1f ms "
                "= %.3f   link/raw %.3f   (%ld runs each)\n",
                label, static_cast<long long>(figure.script.sent.size()), figure.link.millisEach(),
                figure.link.perSecond() / WireLimit, figure.raw.millisEach(),
                figure.raw.perSecond() / WireLimit,
                figure.link.perSecond() / figure.raw.perSecond(), figure.link.operations);
}

// The report of the default data drawn into an in-memory PDF, as vorna7ctl report does.
double reportMillis(AppContext& context) {
    double total = 0;
    for (int run = 0; run < ReportRuns; ++run) {
        const double start = now();
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        modReport report(
            painter, [&writer] { return writer.newPage(); }, context);
        if (!report.PrintSetupReport(QStringLiteral("[unnamed]")))
            throw std::runtime_error("the report could not be drawn");
        painter.end();
        total += now() - start;
        if (!bytes.startsWith("%PDF-"))
            throw std::runtime_error("the report is not a PDF");
    }
    return total * 1e3 / ReportRuns;
}

double secondsOption(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--seconds")
            return std::max(0.1, std::atof(argv[i + 1]));
    }
    return 3.0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const double seconds = secondsOption(argc, argv);
    try {
        SimulatorProcess sim;
        sim.requireRunning();
        sim.command(QStringLiteral("pls-busy 0"));
        sim.command(QStringLiteral("speed 0")); // shift counts stand still: every run alike
        sim.command(QStringLiteral("wire %1").arg(Baud));
        CancelPrompter prompter;
        AppContext context(sim.appDir(), prompter);
        context.InitSetupTables();

        std::printf("data_transfer_figures: DataTransfer on RSComm over QtSerialPort, and a raw "
                    "termios client replaying\nthe link's bytes, vorna7-sim on %s with the wire "
                    "time of %d baud (wire limit %.0f exchanges/s),\nabout %.1f s per figure; "
                    "load average before: %s\n\n",
                    qPrintable(sim.device()), Baud, WireLimit, seconds, loadAverage().c_str());
        const SideBySide upload = measure(sim, context, DataTransfer::UploadMode, seconds);
        printFigure("whole upload", upload);
        const SideBySide download = measure(sim, context, DataTransfer::DownloadMode, seconds);
        printFigure("whole download", download);
        std::printf("%-22s (target: link/raw at least 0.970)\n", "");

        context.CurrentData = context.DefaultData;
        std::printf("\nreport of the default data to PDF: %.1f ms each over %d runs (target: at "
                    "most %.0f ms)\nload average after: %s\n",
                    reportMillis(context), ReportRuns, ReportTargetMs, loadAverage().c_str());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "data_transfer_figures: %s\n", failure.what());
        return 1;
    }
    return 0;
}
