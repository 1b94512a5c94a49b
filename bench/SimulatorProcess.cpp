#include "SimulatorProcess.h"

#include <QCoreApplication>
#include <stdexcept>

namespace {

constexpr int PatienceMs = 5000;
const QString Ok = QStringLiteral("ok");

} // namespace

void SimulatorProcess::start() {
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/vorna7-sim");
    process_.start(program,
                   {QStringLiteral("--appdir"), appDir_.path(), QStringLiteral("--port"),
                    QStringLiteral("1"), QStringLiteral("--control"), QStringLiteral("0")});
    device_ = readProcessLine();
    const QString controlLine = readProcessLine();
    if (!device_.startsWith(QLatin1Char('/')) ||
        !controlLine.startsWith(QStringLiteral("control ")))
        throw std::runtime_error("vorna7-sim did not start: " + program.toStdString());
    control_.connectToHost(QStringLiteral("127.0.0.1"), controlLine.mid(8).toUShort());
    if (!control_.waitForConnected(PatienceMs))
        throw std::runtime_error("vorna7-sim control port: " +
                                 control_.errorString().toStdString());
}

QString SimulatorProcess::readProcessLine() {
    while (!process_.canReadLine() && process_.waitForReadyRead(PatienceMs)) {
    }
    return QString::fromLocal8Bit(process_.readLine()).trimmed();
}

QString SimulatorProcess::command(const QString& line) {
    control_.write((line + QLatin1Char('\n')).toUtf8());
    control_.waitForBytesWritten(PatienceMs);
    while (!control_.canReadLine() && control_.waitForReadyRead(PatienceMs)) {
    }
    const QString answer = QString::fromUtf8(control_.readLine()).trimmed();
    if (answer == Ok)
        return {};
    if (answer.startsWith(Ok + QLatin1Char(' ')))
        return answer.mid(Ok.size() + 1);
    throw std::runtime_error(line.toStdString() + ": " + answer.toStdString());
}

SimulatorProcess::~SimulatorProcess() {
    process_.terminate();
    if (!process_.waitForFinished(PatienceMs))
        process_.kill();
}
