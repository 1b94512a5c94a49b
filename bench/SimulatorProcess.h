#pragma once

#include <QProcess>
#include <QString>
#include <QTcpSocket>
#include <QTemporaryDir>

// vorna7-sim from the folder of this program, on a pseudo-terminal linked as port 1 of a
// temporary application folder, with its control port connected.
class SimulatorProcess {
public:
    SimulatorProcess() = default;
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Throws std::runtime_error when the simulator does not come up.
    void start();

    QString appDir() const { return appDir_.path(); }
    QString device() const { return device_; }
    // The port 1 alias, as a raw client opens it.
    QString linePath() const { return appDir_.filePath(QStringLiteral("Support/COM1")); }
    qint64 processId() const { return process_.processId(); }

    // One control command; returns what follows "ok" in the answer (empty for a bare "ok")
    // and throws std::runtime_error on any other answer.
    QString command(const QString& line);

private:
    QString readProcessLine();

    QTemporaryDir appDir_;
    QProcess process_;
    QTcpSocket control_;
    QString device_;
};
