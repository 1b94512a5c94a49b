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
#include "SideBySide.h"
#include "SimulatorProcess.h"
#include "SteadyClock.h"
#include "modReport.h"

namespace {

constexpr int Baud = 19200;
constexpr double WireLimit = Baud / 20.0; // one byte each way of 10 bits per exchange
constexpr int ReportRuns = 50;
constexpr double ReportTargetMs = 200.0;

// One whole transfer of `mode` between `context` and the board.
SideBySide::Operation transferOf(AppContext& context, std::int16_t mode) {
    return [&context, mode](RSComm& link, const CancelPrompter& prompter) {
        RSCommTransferLink transferLink(link);
        context.ProcessMode = mode;
        DataTransfer transfer(context, transferLink);
        transfer.RunProcess();
        require(transfer.completed(), "the transfer", prompter);
    };
}

// The report of the default data drawn into an in-memory PDF, as vorna7ctl report does.
double reportMillis(AppContext& context) {
    double total = 0;
    for (int run = 0; run < ReportRuns; ++run) {
        const double start = benchNow();
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
        total += benchNow() - start;
        if (!bytes.startsWith("%PDF-"))
            throw std::runtime_error("the report is not a PDF");
    }
    return total * 1e3 / ReportRuns;
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
        const SideBySide upload =
            SideBySide::measure(sim, transferOf(context, DataTransfer::UploadMode), seconds);
        upload.print("whole upload", WireLimit);
        const SideBySide download =
            SideBySide::measure(sim, transferOf(context, DataTransfer::DownloadMode), seconds);
        download.print("whole download", WireLimit);
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
