#pragma once

#include <cstdint>

namespace sim {

// One output channel of the PLS: cleared, one ON/OFF pair, or a pulse train, in divisions of
// the revolution. A recall reports one transition at a time, so two recalls of a channel
// with a pair give its ON point (state 1) and its OFF point (state 0), in turn.
class PLSChannel {
public:
    enum class Kind { Cleared, Setpoints, PulseTrain };

    // Recall states. A cleared channel and a pulse train have no single ON/OFF pair to
    // report: they answer with a state of their own (the start division for a pulse train).
    static constexpr std::uint8_t OffState = 0;
    static constexpr std::uint8_t OnState = 1;
    static constexpr std::uint8_t ClearedState = 2;
    static constexpr std::uint8_t PulseTrainState = 3;

    struct RecallStep {
        std::uint8_t state;
        std::uint16_t position;
        bool operator==(const RecallStep&) const = default;
    };

    void setSetpoints(std::uint16_t on, std::uint16_t off);
    void setPulseTrain(std::uint16_t start, std::uint8_t onDivisions, std::uint8_t offDivisions);
    void clear();

    Kind kind() const { return kind_; }
    std::uint16_t onSetpoint() const { return on_; }
    std::uint16_t offSetpoint() const { return off_; }
    std::uint16_t start() const { return start_; }
    std::uint8_t onDivisions() const { return onDivisions_; }
    std::uint8_t offDivisions() const { return offDivisions_; }

    // Whether the output is on at `position` of a revolution of `scale` divisions.
    bool output(std::uint16_t position, std::uint16_t scale) const;
    // The transition to report now; a pair moves on to its other transition.
    RecallStep recall();

private:
    Kind kind_ = Kind::Cleared;
    std::uint16_t on_ = 0;
    std::uint16_t off_ = 0;
    std::uint16_t start_ = 0;
    std::uint8_t onDivisions_ = 0;
    std::uint8_t offDivisions_ = 0;
    bool offNext_ = false; // a fresh programming starts the recall at the ON point
};

} // namespace sim
