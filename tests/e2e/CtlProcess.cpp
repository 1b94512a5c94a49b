#include "CtlProcess.h"

#include <QDeadlineTimer>

#include "SimulatorProcess.h"

QStringList CtlProcess::Result::errLines() const {
    return err.split(u'\n', Qt::SkipEmptyParts);
}

CtlProcess::Result CtlProcess::run(const QStringList& arguments) {
    CtlProcess ctl;
    ctl.start(arguments);
    return ctl.finish();
}

void CtlProcess::start(const QStringList& arguments) {
    process_.setProgram(SimulatorProcess::program(QStringLiteral("vorna7ctl")));
    process_.setArguments(arguments);
    process_.start();
    process_.waitForStarted(TimeoutMs);
}

void CtlProcess::collect() {
    out_ += QString::fromUtf8(process_.readAllStandardOutput());
    err_ += QString::fromUtf8(process_.readAllStandardError());
}

// A wait for data only wakes for the current read channel.
bool CtlProcess::waitForOutLines(int count) {
    process_.setCurrentReadChannel(QProcess::StandardOutput);
    const QDeadlineTimer deadline(TimeoutMs);
    collect();
    while (out_.count(u'\n') < count) {
        if (process_.state() == QProcess::NotRunning || deadline.hasExpired())
            return false;
        process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        collect();
    }
    return true;
}

CtlProcess::Result CtlProcess::finish() {
    Result result;
    result.finished = process_.waitForFinished(TimeoutMs);
    if (!result.finished) {
        process_.kill();
        process_.waitForFinished(TimeoutMs);
    }
    collect();
    result.exitCode = process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    result.out = out_;
    result.err = err_;
    return result;
}
