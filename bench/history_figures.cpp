// Figures for the speed trend and the history, printed with their ratio to the goal:
//   - resident memory after an hour online at 200 strokes/min with the Alarm History window
//     open, against the memory at the start of that hour. The hour runs on a virtual clock
//     fed as fast as the process can: the Main Display's trend gets a speed reading every
//     20 ms (a Main Display pass at 19200 baud) and is redrawn every 250 ms, as on screen;
//     an alarm is raised and cleared every 30 s through the recorder the main window uses,
//     appending to the day file the open window follows;
//   - the time one redraw of the trend takes with a full hour shown.
// The idle CPU of the Main Display with the trend and its link/raw figure come from
// main_window_figures --window 0.
//
//   history_figures

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "AlarmRecorder.h"
#include "AppContext.h"
#include "CancelPrompter.h"
#include "FileDialogs.h"
#include "HistoryLog.h"
#include "MachineWindowSet.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "SpeedTrendChart.h"
#include "SteadyClock.h"
#include "frmHistory.h"
#include "frmMDIMain.h"

namespace {

constexpr double MemoryLimitMB = 10;
constexpr qint64 HourMs = 60 * 60 * 1000;
constexpr qint64 ReadEveryMs = 20;
constexpr qint64 AlarmEveryMs = 30 * 1000;
constexpr int StrokesPerMinute = 200;

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ')[0].toDouble() / 1024.0;
    }
    return 0;
}

class NoFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFile(const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const QString&) override { return {}; }
};

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    CancelPrompter prompter;
    AppContext context(folder.path(), prompter);
    HistoryLog history(folder.filePath(QStringLiteral("history")));
    context.History = &history;
    qint64 nowMs = QDateTime(QDate(2026, 12, 7), QTime(2, 0)).toMSecsSinceEpoch();
    context.currentDateTime = [&] { return QDateTime::fromMSecsSinceEpoch(nowMs); };
    SteadyClock clock;
    QtSerialPort serial(folder.path());
    RSComm link(folder.path(), clock, prompter);
    NoFileDialogs dialogs;
    MachineWindowSet machineWindows(context);
    frmMDIMain main(context, link, serial, machineWindows, dialogs);
    main.show();
    auto* trend = main.findChild<SpeedTrendChart*>(QStringLiteral("fraTrend"));
    auto* window =
        frmHistory::showModeless(history, HistoryRecord::Kind::Alarms, dialogs, prompter, &main);
    (void)window;
    AlarmRecorder recorder(context);
    QCoreApplication::processEvents();

    const double startMB = residentMegabytes();
    const auto started = std::chrono::steady_clock::now();
    AlarmRecorder::Flags flags{};
    long long redraws = 0;
    for (qint64 ms = 0; ms < HourMs; ms += ReadEveryMs) {
        nowMs += ReadEveryMs;
        context.SpeedHistory.addSpeed(nowMs, StrokesPerMinute + (ms / ReadEveryMs) % 3 - 1);
        if (ms % SpeedTrend::StepMs < ReadEveryMs) {
            trend->redraw();
            ++redraws;
            QCoreApplication::processEvents();
        }
        if (ms % AlarmEveryMs < ReadEveryMs) {
            flags[1] = !flags[1];
            recorder.observe(flags, true, QStringLiteral("System Message:  All Faults Normal"));
        }
    }
    QCoreApplication::processEvents();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const double growthMB = residentMegabytes() - startMB;
    std::printf("resident memory after an hour at %d strokes/min, Alarm History open"
                "   +%.1f MB (%.1f -> %.1f MB; %lld redraws, %zu trend steps, %lld history "
                "lines, %.0f s on the virtual clock)   limit %.0f MB   ratio %.2f\n",
                StrokesPerMinute, growthMB, startMB, startMB + growthMB, redraws,
                context.SpeedHistory.stepCount(),
                static_cast<long long>(history.readDay(QDate(2026, 12, 7)).size()), seconds,
                MemoryLimitMB, growthMB / MemoryLimitMB);

    trend->findChild<QComboBox*>(QStringLiteral("cboTrendSpan"))->setCurrentIndex(2);
    constexpr int Rounds = 200;
    const auto drawStart = std::chrono::steady_clock::now();
    for (int i = 0; i < Rounds; ++i) {
        trend->redraw();
        trend->repaint();
    }
    const double drawMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - drawStart)
            .count() /
        Rounds;
    std::printf("one trend redraw and paint, a full hour shown   %.2f ms; at 4 a second %.2f %% "
                "of a core\n",
                drawMs, drawMs * 4 / 10);
    return 0;
}
