// The soak: the program's main window, offscreen, online against vorna7-sim at 19200 for a
// given time, with an operator script cycling the machine windows, making entries and
// transferring the data set, while faults come and go on the board at random. The seed it
// prints repeats the run's choices. One summary line at the end; exit status 1 when the
// program stopped answering for more than 10 s after the board was healed, when a download
// or an entry reported done does not match the board, or when memory grew by more than 5 MB
// after the first 5 minutes.
//
//   soak [--minutes M] [--seed S]

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <stdexcept>

#include "AppContext.h"
#include "DataTransferMenu.h"
#include "FaultInjector.h"
#include "FileDialogs.h"
#include "MachineWindowSet.h"
#include "MainWindowCommands.h"
#include "ProcessUsage.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "SimulatorProcess.h"
#include "SoakOperator.h"
#include "SoakPrompter.h"
#include "SoakState.h"
#include "SteadyClock.h"
#include "WatchedPort.h"
#include "frmMDIMain.h"

namespace {

constexpr int Baud = 19200;
constexpr double SettleSeconds = 5 * 60;
constexpr double GrowthLimitMB = 5;

class NoFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFile(const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const QString&) override { return {}; }
};

struct Options {
    double minutes = 60;
    unsigned seed = std::random_device{}();
};

Options parse(int argc, char* argv[]) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--minutes") == 0 && hasValue)
            options.minutes = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--seed") == 0 && hasValue)
            options.seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else
            throw std::runtime_error("usage: soak [--minutes M] [--seed S]");
    }
    if (!(options.minutes > 0))
        throw std::runtime_error("--minutes takes a positive number");
    return options;
}

void writePortSettings(const QString& appDir) {
    QFile settings(QDir(appDir).filePath(QStringLiteral("Support/RSPort.cfg")));
    if (!settings.open(QIODevice::WriteOnly) ||
        settings.write(QByteArray("1,") + QByteArray::number(Baud) + "\r\n") < 0)
        throw std::runtime_error("cannot write RSPort.cfg");
}

void runFor(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

int soak(const Options& options) {
    std::printf("soak: seed %u, %.1f minutes\n", options.seed, options.minutes);
    std::fflush(stdout);
    SoakState state;
    SimulatorProcess sim(1, {QStringLiteral("--wire"), QString::number(Baud)});
    sim.requireRunning();
    writePortSettings(sim.appDir());

    SoakPrompter prompter(state, options.seed);
    AppContext context(sim.appDir(), prompter);
    SteadyClock clock;
    QtSerialPort serial(sim.appDir());
    WatchedPort port(serial, state);
    RSComm link(sim.appDir(), clock, prompter);
    NoFileDialogs dialogs;
    MachineWindowSet machineWindows(context);
    SoakOperator* soakOperator = nullptr;
    MainWindowCommands commands;
    commands.upload = [&](frmMDIMain& main) {
        soakOperator->recordOutcome(DataTransferMenu::upload(main));
    };
    commands.download = [&](frmMDIMain& main) {
        soakOperator->recordOutcome(DataTransferMenu::download(main));
    };
    frmMDIMain main(context, link, port, machineWindows, dialogs, commands);
    main.show();
    QApplication::setActiveWindow(&main);
    if (!QTest::qWaitForWindowActive(&main))
        throw std::runtime_error("the main window did not become active");
    SoakOperator operatorScript(main, link, sim, prompter, state, options.seed ^ 0x50a4u);
    soakOperator = &operatorScript;
    FaultInjector injector(sim.controlPort(), state, options.seed + 1);

    const double cpuStart = ProcessUsage::cpuSeconds();
    operatorScript.start();
    runFor(2);
    const double rssStart = ProcessUsage::residentMegabytes();
    injector.start();
    const double total = options.minutes * 60;
    double rssSettled = rssStart;
    if (total > SettleSeconds) {
        runFor(SettleSeconds - state.now());
        rssSettled = ProcessUsage::residentMegabytes();
    }
    runFor(total - state.now());
    injector.finish();
    state.finished = true;
    const double elapsed = state.now();
    const double cpu = ProcessUsage::cpuSeconds() - cpuStart;
    const double rssEnd = ProcessUsage::residentMegabytes();
    const double growth = total > SettleSeconds ? rssEnd - rssSettled : 0;

    std::printf("soak: seed %u, %.1f minutes, %lld passes, %lld exchanges, faults injected %d / "
                "reported %d, messages answered %lld, writes sent %lld / verified %lld, "
                "downloads checked %lld, RSS start %.1f MB / end %.1f MB, CPU %.1f s (%.1f %% "
                "of a core), longest recovery %.1f s\n",
                options.seed, elapsed / 60, operatorScript.passes(), state.exchanges.load(),
                injector.injected(), injector.reported(), prompter.answered(),
                operatorScript.writesSent(), operatorScript.writesVerified(),
                operatorScript.downloadsChecked(), rssStart, rssEnd, cpu, cpu / elapsed * 100,
                injector.longestRecovery());
    std::fprintf(stderr, "faults by kind:");
    for (int kind = 0; kind < FaultInjector::KindCount; ++kind)
        std::fprintf(stderr, " %s %d;", FaultInjector::name(kind), injector.byKind()[kind]);
    std::fprintf(stderr,
                 "\nentries not taken: %lld\nmessages by title:", operatorScript.entriesNotTaken());
    for (auto it = prompter.byTitle().begin(); it != prompter.byTitle().end(); ++it)
        std::fprintf(stderr, " \"%s\" %d;", qPrintable(it.key()), it.value());
    std::fprintf(stderr, "\n");

    int failures = 0;
    const auto fail = [&failures](const QString& why) {
        std::fprintf(stderr, "soak FAILED: %s\n", qPrintable(why));
        ++failures;
    };
    if (!injector.failure().isEmpty()) {
        const QString simulator = sim.endNote();
        fail(QStringLiteral("fault injection: ") + injector.failure() +
             (simulator.isEmpty() ? QString() : QStringLiteral(" (") + simulator + u')'));
    }
    if (injector.stalls() > 0)
        fail(QStringLiteral("the program answered more than %1 s after the board was healed, %2 "
                            "times (longest %3 s)")
                 .arg(FaultInjector::AnswerLimitSeconds)
                 .arg(injector.stalls())
                 .arg(injector.longestRecovery(), 0, 'f', 1));
    for (const QString& wrong : operatorScript.wrongResults())
        fail(wrong);
    if (growth > GrowthLimitMB)
        fail(QStringLiteral("resident memory grew by %1 MB after the first 5 minutes")
                 .arg(growth, 0, 'f', 1));
    if (state.exchanges == 0 || operatorScript.transfers() == 0)
        fail(QStringLiteral("the soak did not exercise the program (no exchanges or transfers)"));
    main.setWantedMode(false);
    return failures == 0 ? 0 : 1;
}

// The offscreen platform's notes on window hints would bury the soak's own lines.
void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains(QLatin1String("propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietPlatformNotes);
    QApplication application(argc, argv);
    try {
        return soak(parse(argc, argv));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "soak: %s\n", failure.what());
        return 2;
    }
}
