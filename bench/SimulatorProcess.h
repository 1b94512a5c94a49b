#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTcpSocket>
#include <QTemporaryDir>

// vorna7-sim from the folder of this program, on a pseudo-terminal linked as port `port` of a
// temporary application folder, with its control channel connected on the loopback. Shared by
// the benchmarks and the end-to-end tests.
class SimulatorProcess {
public:
    // Starts the simulator and waits until it has printed its device path and control port.
    explicit SimulatorProcess(int port = 1, const QStringList& extraArguments = {});
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Empty when the simulator is up; otherwise why not.
    QString failure() const { return failure_; }
    // Throws std::runtime_error with failure() when the simulator is not up.
    void requireRunning() const;

    QString appDir() const { return appDir_.path(); }
    QString device() const { return device_; }
    // The port alias, as a raw client opens it.
    QString linePath() const;
    qint64 processId() const { return process_.processId(); }
    // The loopback port of the control channel, for a second connection of one's own.
    quint16 controlPort() const { return controlPort_; }

    // One control command and its answer line ("ok", "ok 300", "error ...").
    QString control(const QString& line);
    // One control command; returns what follows "ok" (empty for a bare "ok") and throws
    // std::runtime_error on any other answer.
    QString command(const QString& line);
    // The value at a typed address on the board ("get"), or -1 when it cannot be had.
    qint64 value(const QString& address);

    // SIGTERM, then the exit code (-1 when it did not end normally).
    int stop();
    // Empty while the simulator runs; otherwise how it ended, for a failure report.
    QString endNote();

    // A program built beside this one.
    static QString program(const QString& name);

private:
    bool readStartLines();

    QTemporaryDir appDir_;
    QProcess process_;
    QTcpSocket control_;
    QString device_;
    int port_;
    quint16 controlPort_ = 0;
    QString failure_;
};
