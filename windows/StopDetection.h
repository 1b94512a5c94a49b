#pragma once

// Stop and start edges of the machine from the PLS speed. Cleared by the layouts, so a
// machine found standing still on the first pass counts as just stopped.
class StopDetection {
public:
    enum class Edge { None, Stop, Start };

    void clear() {
        MachineStopped = false;
        StoppedBefore = false;
        StopEdge = false;
        StartEdge = false;
    }

    Edge update(long long speed) {
        MachineStopped = speed == 0;
        StopEdge = MachineStopped && !StoppedBefore;
        StartEdge = StoppedBefore && !MachineStopped;
        StoppedBefore = MachineStopped;
        if (StopEdge)
            return Edge::Stop;
        return StartEdge ? Edge::Start : Edge::None;
    }

    bool MachineStopped = false;
    bool StoppedBefore = false;
    bool StopEdge = false;
    bool StartEdge = false;
};
