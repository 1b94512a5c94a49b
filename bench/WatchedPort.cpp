#include "WatchedPort.h"

#include "SoakState.h"

bool WatchedPort::send(const QByteArray& bytes) {
    state_.exchanges += bytes.size();
    return ForwardingSerialPort::send(bytes);
}

int WatchedPort::readByte() {
    const int byte = ForwardingSerialPort::readByte();
    if (byte >= 0)
        state_.lastReply = state_.now();
    return byte;
}
