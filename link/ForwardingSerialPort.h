#pragma once

#include "SerialPort.h"

// A port that passes everything to another one; decorators (tracing, recording) override
// only what they watch.
class ForwardingSerialPort : public SerialPort {
public:
    explicit ForwardingSerialPort(SerialPort& line) : line_(line) {}

    void setPortNumber(int number) override { line_.setPortNumber(number); }
    int portNumber() const override { return line_.portNumber(); }
    bool setSettings(const QString& settings) override { return line_.setSettings(settings); }
    QString settings() const override { return line_.settings(); }

    bool open() override { return line_.open(); }
    void close() override { line_.close(); }
    bool isOpen() const override { return line_.isOpen(); }

    int bytesWaiting() override { return line_.bytesWaiting(); }
    WaitResult waitForByte(Clock& clock, Clock::Micros deadline) override {
        return line_.waitForByte(clock, deadline);
    }
    bool send(const QByteArray& bytes) override { return line_.send(bytes); }
    int readByte() override { return line_.readByte(); }
    void discard() override { line_.discard(); }

    Error lastError() const override { return line_.lastError(); }

protected:
    SerialPort& line() { return line_; }

private:
    SerialPort& line_;
};
