#include "RecordingPort.h"

#include <algorithm>

void RecordingPort::clear() {
    sent_.clear();
    received_.clear();
    discarded_ = 0;
}

bool RecordingPort::send(const QByteArray& bytes) {
    sent_.append(bytes);
    return line().send(bytes);
}

int RecordingPort::readByte() {
    const int byte = line().readByte();
    if (byte >= 0)
        received_.append(static_cast<char>(byte));
    return byte;
}

void RecordingPort::discard() {
    discarded_ += std::max(0, line().bytesWaiting());
    line().discard();
}
