#pragma once

#include <QByteArray>
#include <QString>

#include "Clock.h"

// One exchange on the line as a watcher sees it: the operation it belongs to, the bytes both
// ways and what went wrong on the way (nothing: it went well).
struct LinkExchange {
    enum Outcome : unsigned {
        TimeOut = 1u << 0, // a reply was late and the line was resynchronised
        WrongEcho = 1u << 1,
        EchoRepeated = 1u << 2, // a write whose echo failed was sent again
        WrongAcknowledge = 1u << 3,
        WrongChecksum = 1u << 4,
        NoReply = 1u << 5,
        LineLost = 1u << 6,
        Retry = 1u << 7, // the operator's answer to the link's message
        Cancel = 1u << 8,
        // Not a failure: the handshake needed more than one attention byte (the board was
        // still inside an earlier sequence) and then went through.
        HandshakeRepeated = 1u << 9,
    };

    QString operation;
    QByteArray sent;
    QByteArray received;
    unsigned outcomes = 0;
    Clock::Micros at = 0; // start, counted from the moment the watcher was attached

    static bool failedOutcomes(unsigned outcomes) {
        return (outcomes & ~unsigned(HandshakeRepeated)) != 0;
    }
    bool failed() const { return failedOutcomes(outcomes); }
};
