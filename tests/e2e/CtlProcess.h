#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One run of vorna7ctl, with its output kept apart per channel.
class CtlProcess {
public:
    struct Result {
        bool finished = false;
        int exitCode = -1;
        QString out;
        QString err;

        QStringList errLines() const;
    };

    // Runs to the end.
    static Result run(const QStringList& arguments);

    // For runs that a test steers while they go.
    void start(const QStringList& arguments);
    // Until standard output holds at least `count` complete lines.
    bool waitForOutLines(int count);
    void terminate() { process_.terminate(); }
    Result finish();

    static constexpr int TimeoutMs = 60'000;

private:
    void collect();

    QProcess process_;
    QString out_;
    QString err_;
};
