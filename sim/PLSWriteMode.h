#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "BoardMode.h"
#include "LimitSwitch.h"
#include "PLSReadyExchange.h"

namespace sim {

// A PLS command that writes: a record of fixed length whose bytes are each acknowledged,
// stored when complete, then the READY exchange while the PLS takes it in. A byte the PLS
// cannot take is answered 0x00 instead of the acknowledge and the record is dropped.
class PLSWriteMode final : public BoardMode {
public:
    using Bytes = std::vector<std::uint8_t>;
    // The bytes so far, the newest last; false refuses the newest.
    using Check = std::function<bool(const Bytes&)>;
    // The whole record; false refuses its last byte and nothing is kept.
    using Store = std::function<bool(LimitSwitch&, const Bytes&)>;

    static constexpr std::uint8_t Refused = 0x00;

    PLSWriteMode(LimitSwitch& pls, std::size_t length, Check check, Store store);

    void enter() override;
    // Between records and during the READY exchange 0xFF is attention; inside a record
    // it is data.
    bool atSequenceStart() const override { return record_.empty(); }
    ModeStep receive(std::uint8_t byte, BoardMemory& memory) override;

private:
    Reply take(std::uint8_t byte);

    LimitSwitch& pls_;
    std::size_t length_;
    Check check_;
    Store store_;
    Bytes record_;
    PLSReadyExchange ready_;
};

} // namespace sim
