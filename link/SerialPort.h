#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "Clock.h"

// The serial line as the link sees it. Production wraps QSerialPort; tests put an in-process
// board or a scripted peer behind it.
class SerialPort {
public:
    enum class WaitResult { ByteReady, TimedOut, LineDropped };

    // Platform error of the last failed open, send or wait, for the link's messages.
    struct Error {
        int number = 0;
        QString source;
        QString description;
    };

    virtual ~SerialPort() = default;

    virtual void setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;
    // Line settings text, e.g. "9600,n,8,1".
    virtual bool setSettings(const QString& settings) = 0;
    virtual QString settings() const = 0;

    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual int bytesWaiting() = 0;
    // Blocks (without spinning) until a received byte is waiting, the deadline of `clock`
    // passes, or the line is found dead.
    virtual WaitResult waitForByte(Clock& clock, Clock::Micros deadline) = 0;
    virtual bool send(const QByteArray& bytes) = 0;
    // The next received byte, or -1 when none is waiting.
    virtual int readByte() = 0;
    virtual void discard() = 0;

    virtual Error lastError() const = 0;
};
