#pragma once

#include <QSerialPort>
#include <QString>

#include "DescriptorLine.h"
#include "SerialPort.h"

// The real line. Port number N opens Support/COM<N> when that alias exists, else the
// platform's own name for port N.
class QtSerialPort final : public SerialPort {
public:
    explicit QtSerialPort(QString applicationFolder);
    ~QtSerialPort() override;

    // Bypasses the port number: open this device instead (service use, tests).
    void setDevicePath(const QString& path) { devicePathOverride_ = path; }
    QString devicePath() const;

    void setPortNumber(int number) override { portNumber_ = number; }
    int portNumber() const override { return portNumber_; }
    bool setSettings(const QString& settings) override;
    QString settings() const override { return settings_; }

    bool open() override;
    void close() override;
    bool isOpen() const override;

    int bytesWaiting() override;
    WaitResult waitForByte(Clock& clock, Clock::Micros deadline) override;
    bool send(const QByteArray& bytes) override;
    int readByte() override;
    void discard() override;

    Error lastError() const override { return error_; }

    // Where port `number` of an application folder leads: the alias or the platform name.
    static QString devicePathFor(const QString& applicationFolder, int number);
    static QString platformPortName(int number);

private:
    void fail(int number, const QString& source, const QString& description);
    void dropLine(QSerialPort::SerialPortError kind, int error);
    void requestLowLatency();
    void keepOutOfTheEventLoop();

    QString appFolder_;
    QString devicePathOverride_;
    int portNumber_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    qint32 baud_ = 9600;
    QSerialPort port_;
    DescriptorLine line_;
    Error error_;
    bool dropped_ = false;
};
