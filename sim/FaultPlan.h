#pragma once

namespace sim {

// When a fault strikes: never, always, or only on the next few occasions after letting some
// pass, so a test can spoil exactly the second echo of a write.
class FaultPlan {
public:
    static FaultPlan never() { return FaultPlan(0, 0, false); }
    static FaultPlan always() { return FaultPlan(0, 0, true); }
    static FaultPlan next(int count, int after = 0) { return FaultPlan(after, count, false); }

    bool active() const { return forever_ || remaining_ > 0; }
    // Counts one occasion; true when this one is spoiled.
    bool strike();

private:
    FaultPlan(int after, int remaining, bool endless)
        : after_(after), remaining_(remaining), forever_(endless) {}

    int after_;
    int remaining_;
    bool forever_;
};

} // namespace sim
