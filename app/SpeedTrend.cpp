#include "SpeedTrend.h"

#include <algorithm>

bool SpeedTrend::addSpeed(qint64 ms, double speed) {
    const auto value = static_cast<float>(speed);
    const qint64 start = ms - ms % StepMs;
    latest_ = speed;
    if (!steps_.empty() && steps_.back().ms == start && !gapPending_) {
        Step& step = steps_.back();
        step.low = std::min(step.low, value);
        step.high = std::max(step.high, value);
        return false;
    }
    const bool joined =
        !steps_.empty() && !gapPending_ && start - steps_.back().ms <= LongestJoinMs;
    // A clock set back starts afresh rather than drawing backwards.
    if (!steps_.empty() && start < steps_.back().ms)
        steps_.clear();
    steps_.push_back({start, value, value, !joined});
    gapPending_ = false;
    forgetOlderThan(start - KeptMs);
    return true;
}

void SpeedTrend::addGap() {
    gapPending_ = true;
}

std::optional<double> SpeedTrend::latestSpeed(qint64 nowMs) const {
    if (steps_.empty() || gapPending_ || nowMs - steps_.back().ms > LongestJoinMs)
        return std::nullopt;
    return latest_;
}

void SpeedTrend::forgetOlderThan(qint64 ms) {
    while (!steps_.empty() && steps_.front().ms < ms)
        steps_.pop_front();
}

std::vector<std::vector<QPointF>> SpeedTrend::lines(qint64 fromMs, qint64 toMs, int columns) const {
    std::vector<std::vector<QPointF>> result;
    if (columns <= 0 || toMs <= fromMs)
        return result;
    const qint64 columnMs = std::max<qint64>(StepMs, (toMs - fromMs) / columns);
    auto it = std::lower_bound(steps_.begin(), steps_.end(), fromMs,
                               [](const Step& step, qint64 ms) { return step.ms < ms; });
    qint64 column = -1;
    float low = 0;
    float high = 0;
    auto flush = [&] {
        if (column < 0)
            return;
        const auto x = static_cast<qreal>(fromMs + column * columnMs);
        result.back().emplace_back(x, low);
        if (high != low)
            result.back().emplace_back(x, high);
    };
    for (; it != steps_.end() && it->ms <= toMs; ++it) {
        const qint64 at = (it->ms - fromMs) / columnMs;
        if (it->breakBefore || result.empty()) {
            flush();
            result.emplace_back();
            column = -1;
        }
        if (at != column) {
            flush();
            column = at;
            low = it->low;
            high = it->high;
        } else {
            low = std::min(low, it->low);
            high = std::max(high, it->high);
        }
    }
    flush();
    return result;
}
