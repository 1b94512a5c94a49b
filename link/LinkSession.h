#pragma once

#include "Clock.h"
#include "Prompter.h"

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

protected:
    ~LinkSession() = default;
};
