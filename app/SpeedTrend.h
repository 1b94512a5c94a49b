#pragma once

#include <QPointF>
#include <QtGlobal>
#include <deque>
#include <optional>
#include <vector>

// The machine speed of the last hour, for the Main Display's trend strip. Readings are folded
// into quarter-second steps that keep their lowest and highest speed, so an hour is at most
// 14,400 steps however fast the refresh cycle reads. A gap (offline, a failed read, no
// reading for a while) breaks the line instead of bridging it.
class SpeedTrend {
public:
    static constexpr qint64 StepMs = 250;
    static constexpr qint64 KeptMs = 60 * 60 * 1000;
    // Readings further apart than this are not joined: the window was closed in between.
    static constexpr qint64 LongestJoinMs = 2000;

    struct Step {
        qint64 ms; // start of the step, milliseconds since the epoch
        float low;
        float high;
        bool breakBefore; // not joined to the step before
    };

    // A reading; true when it began a new step (a point the strip has not drawn yet).
    bool addSpeed(qint64 ms, double speed);
    // The link is offline or a read failed: the next reading starts a new line.
    void addGap();
    // The latest reading when it is recent and not followed by a gap.
    std::optional<double> latestSpeed(qint64 nowMs) const;
    qint64 latestMs() const { return steps_.empty() ? 0 : steps_.back().ms; }
    std::size_t stepCount() const { return steps_.size(); }

    // The lines to draw for [fromMs, toMs] at most `columns` wide: each column holds the
    // lowest and highest speed of its steps, so a short dip stays visible at any span.
    std::vector<std::vector<QPointF>> lines(qint64 fromMs, qint64 toMs, int columns) const;

private:
    void forgetOlderThan(qint64 ms);

    std::deque<Step> steps_;
    bool gapPending_ = false;
    double latest_ = 0;
};
