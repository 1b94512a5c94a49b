#pragma once

#include <iosfwd>

#include "ForwardingSerialPort.h"

// Passes everything to the real port and writes each byte of the traffic on its own line:
// "> FF" sent, "< 55" received, "! timeout" when a wait for a reply runs out. What a service
// engineer needs to see when a cable or a board misbehaves.
class TracingSerialPort final : public ForwardingSerialPort {
public:
    TracingSerialPort(SerialPort& line, std::ostream& out);

    WaitResult waitForByte(Clock& clock, Clock::Micros deadline) override;
    bool send(const QByteArray& bytes) override;
    int readByte() override;
    void discard() override;

private:
    void note(char direction, int byte);

    std::ostream& out_;
};
