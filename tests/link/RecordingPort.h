#pragma once

#include <utility>
#include <vector>

#include "Clock.h"
#include "SerialPort.h"
#include "VirtualClock.h"

// Wraps a port: notes the clock at every byte sent and, when paced, lets each byte take
// some virtual time, so a peer that answers instantly cannot stall a deadline loop.
class RecordingPort final : public SerialPort {
public:
    RecordingPort(SerialPort& inner, VirtualClock& clock, Clock::Micros pace = 0)
        : inner_(inner), clock_(clock), pace_(pace) {}
    std::vector<std::pair<int, Clock::Micros>> sent;

    void setPortNumber(int n) override { inner_.setPortNumber(n); }
    int portNumber() const override { return inner_.portNumber(); }
    bool setSettings(const QString& s) override { return inner_.setSettings(s); }
    QString settings() const override { return inner_.settings(); }
    bool open() override { return inner_.open(); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    int bytesWaiting() override { return inner_.bytesWaiting(); }
    WaitResult waitForByte(Clock& c, Clock::Micros d) override { return inner_.waitForByte(c, d); }
    bool send(const QByteArray& bytes) override {
        for (char b : bytes) {
            sent.emplace_back(static_cast<unsigned char>(b), clock_.now());
            clock_.advance(pace_);
        }
        return inner_.send(bytes);
    }
    int readByte() override { return inner_.readByte(); }
    void discard() override { inner_.discard(); }
    Error lastError() const override { return inner_.lastError(); }

private:
    SerialPort& inner_;
    VirtualClock& clock_;
    Clock::Micros pace_;
};
