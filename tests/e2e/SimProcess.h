#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTcpSocket>
#include <QTemporaryDir>

// vorna7-sim running on a pseudo-terminal for one test, in its own temporary application
// folder, with its control channel on the loopback.
class SimProcess {
public:
    // Starts the simulator as port `port` of a fresh application folder and waits until it
    // has printed its device path and control port.
    explicit SimProcess(int port = 1, const QStringList& extraArguments = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Empty when the simulator is up; otherwise why not.
    QString failure() const { return failure_; }
    QString appDir() const { return appDir_.path(); }
    QString devicePath() const { return devicePath_; }

    // Sends one control command and returns its answer line ("ok", "ok 300", "error ...").
    QString control(const QString& command);
    // The value of a typed address on the board ("get"), or -1 when it cannot be had.
    qint64 value(const QString& address);

    static QString binary(const QString& name);

private:
    bool readStartLines();

    QTemporaryDir appDir_;
    QProcess process_;
    QTcpSocket control_;
    QString devicePath_;
    quint16 controlPort_ = 0;
    QString failure_;
};
