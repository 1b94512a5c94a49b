#pragma once

#include <utility>
#include <vector>

#include "ForwardingSerialPort.h"
#include "VirtualClock.h"

// Notes the clock at every byte sent and, when paced, lets each byte take some virtual time,
// so a peer that answers instantly cannot stall a deadline loop.
class TimedPort final : public ForwardingSerialPort {
public:
    TimedPort(SerialPort& inner, VirtualClock& clock, Clock::Micros pace = 0)
        : ForwardingSerialPort(inner), clock_(clock), pace_(pace) {}
    std::vector<std::pair<int, Clock::Micros>> sent;

    bool send(const QByteArray& bytes) override {
        for (char b : bytes) {
            sent.emplace_back(static_cast<unsigned char>(b), clock_.now());
            clock_.advance(pace_);
        }
        return ForwardingSerialPort::send(bytes);
    }

private:
    VirtualClock& clock_;
    Clock::Micros pace_;
};
