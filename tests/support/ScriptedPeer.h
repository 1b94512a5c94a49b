#pragma once

#include "Board.h"
#include "BoardSerialPort.h"
#include "VirtualClock.h"

struct ScriptedPeerParts {
    sim::Board farBoard;
    VirtualClock ownClock;
};

// The tests' port standing alone, its far end a script from the start.
class ScriptedPeer final : private ScriptedPeerParts, public BoardSerialPort {
public:
    ScriptedPeer() : BoardSerialPort(farBoard, ownClock) { script(); }
};
