#pragma once

#include <iosfwd>

#include "SerialPort.h"

// Passes everything to the real port and writes each byte of the traffic on its own line:
// "> FF" sent, "< 55" received, "! timeout" when a wait for a reply runs out. What a service
// engineer needs to see when a cable or a board misbehaves.
class TracingSerialPort final : public SerialPort {
public:
    TracingSerialPort(SerialPort& line, std::ostream& out);

    void setPortNumber(int number) override { line_.setPortNumber(number); }
    int portNumber() const override { return line_.portNumber(); }
    bool setSettings(const QString& settings) override { return line_.setSettings(settings); }
    QString settings() const override { return line_.settings(); }

    bool open() override { return line_.open(); }
    void close() override { line_.close(); }
    bool isOpen() const override { return line_.isOpen(); }

    int bytesWaiting() override { return line_.bytesWaiting(); }
    WaitResult waitForByte(Clock& clock, Clock::Micros deadline) override;
    bool send(const QByteArray& bytes) override;
    int readByte() override;
    void discard() override;

    Error lastError() const override { return line_.lastError(); }

private:
    void note(char direction, int byte);

    SerialPort& line_;
    std::ostream& out_;
};
