#pragma once

#include <QByteArray>

#include "SerialPort.h"

// Passes everything to the real port and keeps the bytes sent and the bytes received since
// the last clear(), so another client can replay exactly what the link did.
class RecordingPort final : public SerialPort {
public:
    explicit RecordingPort(SerialPort& line) : line_(line) {}

    void clear();
    const QByteArray& sent() const { return sent_; }
    const QByteArray& received() const { return received_; }
    // Received bytes thrown away unread: the recording no longer pairs each byte sent with
    // its reply.
    int discarded() const { return discarded_; }

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
    bool send(const QByteArray& bytes) override;
    int readByte() override;
    void discard() override;

    Error lastError() const override { return line_.lastError(); }

private:
    SerialPort& line_;
    QByteArray sent_;
    QByteArray received_;
    int discarded_ = 0;
};
