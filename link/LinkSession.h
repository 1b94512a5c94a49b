#pragma once

#include "Clock.h"
#include "LinkWatch.h"
#include "Prompter.h"

#include <QString>

// What the board command sets (PLS, program transfer) need of the link while it is theirs:
// the byte exchange, the mode handshake and the failure latch.
class LinkSession {
public:
    static constexpr int NoByte = 9999;
    static constexpr int Acknowledge = 0x55;

    virtual int TransferByte(int Data, bool NoReply, bool DiscardFirst) = 0;
    virtual bool SetPLCMode(int Mode, int Command) = 0;
    virtual bool commError() const = 0;
    virtual void setCommError(bool failed) = 0;
    virtual void resetLinkMode() = 0;
    virtual Prompter& messages() = 0;
    virtual Clock& time() = 0;

    // Reads and writes by typed address, inside the session (no second hold of the link). A
    // write is true only when the board echoed every byte of it.
    virtual QString readTarget(const QString& Add) = 0;
    virtual bool writeTarget(const QString& Add, const QString& DataValue) = 0;
    virtual bool onlineMode() const = 0;
    virtual void setOnlineMode(bool online) = 0;
    // The first byte received before the deadline, or NoByte; no recovery, no message.
    virtual int replyWithin(Clock::Micros deadline) = 0;
    // Lets pending window events run between the steps of a long transfer.
    virtual void letEventsRun() = 0;
    // Where the exchanges are told to a watcher, if one is attached.
    virtual LinkWatch& watch() = 0;

protected:
    ~LinkSession() = default;
};
