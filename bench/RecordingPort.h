#pragma once

#include <QByteArray>

#include "ForwardingSerialPort.h"

// Passes everything to the real port and keeps the bytes sent and the bytes received since
// the last clear(), so another client can replay exactly what the link did.
class RecordingPort final : public ForwardingSerialPort {
public:
    explicit RecordingPort(SerialPort& line) : ForwardingSerialPort(line) {}

    void clear();
    const QByteArray& sent() const { return sent_; }
    const QByteArray& received() const { return received_; }
    // Received bytes thrown away unread: the recording no longer pairs each byte sent with
    // its reply.
    int discarded() const { return discarded_; }

    bool send(const QByteArray& bytes) override;
    int readByte() override;
    void discard() override;

private:
    QByteArray sent_;
    QByteArray received_;
    int discarded_ = 0;
};
