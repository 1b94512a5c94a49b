#include "FaultInjector.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <cstdio>
#include <unistd.h>

#include "SoakState.h"

namespace {

constexpr int ControlTimeoutMs = 15'000;
constexpr double QuietLowSeconds = 4;
constexpr double QuietHighSeconds = 14;
// A program silent this long after the board was healed is hung, not slow.
constexpr double HungSeconds = 120;
constexpr double CheckIntervalSeconds = 0.05;

} // namespace

FaultInjector::FaultInjector(quint16 controlPort, SoakState& state, unsigned seed)
    : controlPort_(controlPort), state_(state), random_(seed) {}

FaultInjector::~FaultInjector() {
    finish();
}

const char* FaultInjector::name(int kind) {
    static const char* const names[KindCount] = {"wrong echo",   "wrong acknowledge",
                                                 "silent board", "line dropped",
                                                 "PLS busy",     "PLS never ready"};
    return names[kind];
}

void FaultInjector::start() {
    thread_ = std::thread([this] { run(); });
}

void FaultInjector::finish() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

int FaultInjector::between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random_);
}

// False when the soak is over.
bool FaultInjector::pause(double seconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    return !wake_.wait_for(lock, std::chrono::duration<double>(seconds),
                           [this] { return stopping_; });
}

bool FaultInjector::send(QTcpSocket& control, const QString& line) {
    control.write((line + u'\n').toUtf8());
    while (!control.canReadLine()) {
        if (!control.waitForReadyRead(ControlTimeoutMs)) {
            failure_ = QStringLiteral("%1 s: %2: no answer").arg(state_.now(), 0, 'f', 1).arg(line);
            return false;
        }
    }
    const QString answer = QString::fromUtf8(control.readLine()).trimmed();
    if (answer != QLatin1String("ok")) {
        failure_ = QStringLiteral("%1 s: %2: %3").arg(state_.now(), 0, 'f', 1).arg(line, answer);
        return false;
    }
    return true;
}

void FaultInjector::run() {
    QTcpSocket control;
    control.connectToHost(QHostAddress::LocalHost, controlPort_);
    if (!control.waitForConnected(ControlTimeoutMs)) {
        failure_ = QStringLiteral("control channel: ") + control.errorString();
        return;
    }
    while (failure_.isEmpty() &&
           pause(QuietLowSeconds + std::uniform_real_distribution<double>(
                                       0, QuietHighSeconds - QuietLowSeconds)(random_)))
        episode(control);
    heal(control);
}

void FaultInjector::episode(QTcpSocket& control) {
    const auto kind = static_cast<Kind>(between(0, KindCount - 1));
    const long long messagesBefore = state_.errorMessages;
    state_.faultActive = true;
    ++injected_;
    ++byKind_[kind];
    const double hold = inject(control, kind);
    const bool over = hold < 0 || !pause(hold);
    if (!heal(control) || over)
        return;
    awaitAnswer(state_.now(), kind);
    if (state_.errorMessages > messagesBefore)
        ++reported_;
}

// How long the fault stays, or -1 when it could not be set.
double FaultInjector::inject(QTcpSocket& control, Kind kind) {
    const QString count = QString::number(between(1, 3));
    bool set = false;
    double hold = 3;
    switch (kind) {
    case WrongEcho:
        set = send(control, QStringLiteral("fault wrong-echo ") + count);
        break;
    case WrongAcknowledge:
        set = send(control, QStringLiteral("fault wrong-ack ") + count);
        break;
    case SilentBoard:
        set = send(control, QStringLiteral("fault silence on"));
        hold = between(2000, 8000) / 1000.0;
        break;
    case LineDrop:
        set = send(control, QStringLiteral("drop"));
        hold = 1;
        break;
    case PLSBusy:
        set = send(control, QStringLiteral("pls-busy ") + QString::number(between(300, 3000)));
        hold = between(4, 10);
        break;
    case PLSNeverReady:
        set = send(control, QStringLiteral("fault pls-not-ready on"));
        hold = between(4, 10);
        break;
    }
    return set ? hold : -1;
}

bool FaultInjector::heal(QTcpSocket& control) {
    const bool healed =
        send(control, QStringLiteral("fault clear")) && send(control, QStringLiteral("pls-busy 0"));
    state_.faultActive = false;
    return healed;
}

// The program answers again when a reply came back from the healed board and its event loop
// ran after that reply. (Asking for a heartbeat newer than the latest reply instead would
// wait for a gap in the traffic, not for the program.)
void FaultInjector::awaitAnswer(double healedAt, Kind kind) {
    double firstReply = 0;
    for (;;) {
        if (firstReply == 0 && state_.lastReply > healedAt)
            firstReply = state_.lastReply;
        const bool answered = firstReply > 0 && state_.heartbeat > firstReply;
        const double waited = state_.now() - healedAt;
        if (answered) {
            longestRecovery_ = std::max(longestRecovery_, waited);
            if (waited > AnswerLimitSeconds) {
                ++stalls_;
                std::fprintf(stderr,
                             "soak: %.1f s: the program answered %.1f s after the board was "
                             "healed (%s)\n",
                             state_.now(), waited, name(kind));
            }
            return;
        }
        if (waited > HungSeconds) {
            std::fprintf(stderr,
                         "soak: the program has not answered for %.0f s after the board was "
                         "healed (%s); giving up\n",
                         waited, name(kind));
            std::fflush(stderr);
            _exit(1);
        }
        if (!pause(CheckIntervalSeconds))
            return;
    }
}
