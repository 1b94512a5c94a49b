#pragma once

#include <cstdint>
#include <optional>

#include "BoardMemory.h"

namespace sim {

// How an answer counts for fault injection: echoes and acknowledges can be spoiled,
// data cannot be told wrong from the line. The PLS acknowledges the bytes of its commands
// itself and refuses them through its own fault (Fault::PLSWrongAck), so those count as data.
enum class ReplyKind { Acknowledge, Echo, Data };

struct Reply {
    std::uint8_t byte;
    ReplyKind kind;
};

struct ModeStep {
    std::optional<Reply> reply;
    bool leaveMode = false; // back to idle after this byte
};

// One command mode of the board, entered after attention + command byte. The board keeps
// the handshake; a mode only sees the bytes of its own sequences.
class BoardMode {
public:
    virtual ~BoardMode() = default;
    // Called each time the mode is entered by its command.
    virtual void enter() = 0;
    // True between sequences, where 0xFF is the attention byte rather than data.
    virtual bool atSequenceStart() const = 0;
    virtual ModeStep receive(std::uint8_t byte, BoardMemory& memory) = 0;
};

} // namespace sim
