#pragma once

#include <gtest/gtest.h>
#include <string>

#include "RSComm.h"
#include "ScriptedPeer.h"
#include "ScriptedPrompter.h"
#include "TempFolder.h"
#include "TimedPort.h"
#include "VirtualClock.h"

// The link on a peer that answers each byte from a script, for cases where the board must
// misbehave in one precise way. Each byte sent takes `pace` of virtual time, so a peer that
// answers at once cannot stall a deadline loop.
class PeerRig {
public:
    static constexpr int Ack = 0x55;
    static constexpr int None = ScriptedPeer::NoReply;

    explicit PeerRig(Clock::Micros pace = 500) : port{peer, clock, pace} {}

    TempFolder folder;
    VirtualClock clock;
    ScriptedPrompter prompter;
    ScriptedPeer peer;
    TimedPort port;
    RSComm link{folder.path(), clock, prompter};

    // Opens the link (the peer greets it) and forgets the opening's traffic; a failure to
    // come online fails the test.
    bool goOnline() {
        peer.answer({Ack});
        link.OpenRSComm(port);
        peer.clearWire();
        port.sent.clear();
        if (!link.OnlineMode)
            ADD_FAILURE() << "the link did not come online";
        return link.OnlineMode;
    }
    std::string wire() const { return peer.wire().text(); }
};

// The peer rig as a test fixture.
class PeerRigTest : public ::testing::Test, public PeerRig {};
