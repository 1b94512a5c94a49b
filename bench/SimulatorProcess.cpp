#include "SimulatorProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QHostAddress>
#include <stdexcept>

namespace {

// Generous: the machine may be busy with builds.
constexpr int StartTimeoutMs = 30'000;
constexpr int ControlTimeoutMs = 15'000;
const QString Ok = QStringLiteral("ok");

} // namespace

QString SimulatorProcess::program(const QString& name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

SimulatorProcess::SimulatorProcess(int port, const QStringList& extraArguments) : port_(port) {
    if (!appDir_.isValid()) {
        failure_ = QStringLiteral("no temporary folder");
        return;
    }
    process_.setProgram(program(QStringLiteral("vorna7-sim")));
    process_.setArguments(
        QStringList{"--appdir", appDir_.path(), "--port", QString::number(port), "--control", "0"} +
        extraArguments);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    if (!process_.waitForStarted(StartTimeoutMs)) {
        failure_ = QStringLiteral("vorna7-sim did not start: ") + process_.errorString();
        return;
    }
    if (!readStartLines())
        return;
    control_.connectToHost(QHostAddress::LocalHost, controlPort_);
    if (!control_.waitForConnected(ControlTimeoutMs))
        failure_ = QStringLiteral("control channel: ") + control_.errorString();
}

// The simulator prints the device path, then "control <port>".
bool SimulatorProcess::readStartLines() {
    const QDeadlineTimer deadline(StartTimeoutMs);
    QStringList lines;
    while (lines.size() < 2) {
        if (process_.canReadLine()) {
            lines.append(QString::fromLocal8Bit(process_.readLine()).trimmed());
            continue;
        }
        if (deadline.hasExpired() || process_.state() != QProcess::Running ||
            !process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            failure_ = QStringLiteral("vorna7-sim printed only: ") + lines.join(u'|');
            return false;
        }
    }
    device_ = lines[0];
    const QStringList control = lines[1].split(u' ');
    controlPort_ = control.value(1).toUShort();
    if (control.value(0) != QLatin1String("control") || controlPort_ == 0) {
        failure_ = QStringLiteral("unexpected control line: ") + lines[1];
        return false;
    }
    return true;
}

SimulatorProcess::~SimulatorProcess() {
    control_.abort();
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(StartTimeoutMs)) {
        process_.kill();
        process_.waitForFinished(StartTimeoutMs);
    }
}

int SimulatorProcess::stop() {
    control_.abort();
    process_.terminate();
    if (!process_.waitForFinished(StartTimeoutMs) || process_.exitStatus() != QProcess::NormalExit)
        return -1;
    return process_.exitCode();
}

QString SimulatorProcess::endNote() {
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(0))
        return {};
    if (process_.exitStatus() == QProcess::CrashExit)
        return QStringLiteral("vorna7-sim crashed");
    return QStringLiteral("vorna7-sim exited with status %1").arg(process_.exitCode());
}

void SimulatorProcess::requireRunning() const {
    if (!failure_.isEmpty())
        throw std::runtime_error(failure_.toStdString());
}

QString SimulatorProcess::linePath() const {
    return appDir_.filePath(QStringLiteral("Support/COM%1").arg(port_));
}

QString SimulatorProcess::control(const QString& line) {
    if (control_.state() != QAbstractSocket::ConnectedState)
        return QStringLiteral("error not connected");
    control_.write((line + u'\n').toUtf8());
    if (!control_.waitForBytesWritten(ControlTimeoutMs))
        return QStringLiteral("error not sent");
    const QDeadlineTimer deadline(ControlTimeoutMs);
    while (!control_.canReadLine()) {
        if (deadline.hasExpired() ||
            !control_.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return QStringLiteral("error no answer");
    }
    return QString::fromUtf8(control_.readLine()).trimmed();
}

QString SimulatorProcess::command(const QString& line) {
    const QString answer = control(line);
    if (answer == Ok)
        return {};
    if (answer.startsWith(Ok + u' '))
        return answer.mid(Ok.size() + 1);
    throw std::runtime_error(line.toStdString() + ": " + answer.toStdString());
}

qint64 SimulatorProcess::value(const QString& address) {
    const QString answer = control(QStringLiteral("get ") + address);
    if (!answer.startsWith(Ok + u' '))
        return -1;
    bool ok = false;
    const qint64 number = answer.mid(Ok.size() + 1).toLongLong(&ok);
    return ok ? number : -1;
}
