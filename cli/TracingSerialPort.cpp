#include "TracingSerialPort.h"

#include <cstdio>
#include <ostream>

TracingSerialPort::TracingSerialPort(SerialPort& line, std::ostream& out)
    : ForwardingSerialPort(line), out_(out) {}

void TracingSerialPort::note(char direction, int byte) {
    char text[8];
    std::snprintf(text, sizeof text, "%c %02X", direction, byte & 0xFF);
    out_ << text << std::endl;
}

bool TracingSerialPort::send(const QByteArray& bytes) {
    for (char byte : bytes)
        note('>', static_cast<unsigned char>(byte));
    const bool sent = line().send(bytes);
    if (!sent)
        out_ << "! send failed" << std::endl;
    return sent;
}

int TracingSerialPort::readByte() {
    const int byte = line().readByte();
    if (byte >= 0)
        note('<', byte);
    return byte;
}

SerialPort::WaitResult TracingSerialPort::waitForByte(Clock& clock, Clock::Micros deadline) {
    const WaitResult result = line().waitForByte(clock, deadline);
    if (result == WaitResult::TimedOut)
        out_ << "! timeout" << std::endl;
    else if (result == WaitResult::LineDropped)
        out_ << "! line dropped" << std::endl;
    return result;
}

// Bytes thrown away unread are traffic too: a late reply shows up here.
void TracingSerialPort::discard() {
    const int waiting = line().isOpen() ? line().bytesWaiting() : 0;
    if (waiting > 0)
        out_ << "! discarded " << waiting << (waiting == 1 ? " byte" : " bytes") << std::endl;
    line().discard();
}
