#pragma once

#include "ForwardingSerialPort.h"

struct SoakState;

// The program's port, counting the bytes it sends (each one exchange: a byte out, its reply or
// a time-out) and stamping when a reply came back.
class WatchedPort final : public ForwardingSerialPort {
public:
    WatchedPort(SerialPort& line, SoakState& state) : ForwardingSerialPort(line), state_(state) {}

    bool send(const QByteArray& bytes) override;
    int readByte() override;

private:
    SoakState& state_;
};
