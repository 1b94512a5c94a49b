#pragma once

#include <QByteArray>

#include "LinkExchange.h"

// One exchange kept in a record of fixed size. Its name (UTF-8) and its bytes both ways lie
// inline when they fit, which is nearly always, so a kept row costs no allocation of its own
// and a full ring that overwrites its oldest rows does not churn the heap.
class StoredExchange {
public:
    static constexpr int InlineBytes = 80;

    void store(const LinkExchange& exchange);
    LinkExchange load() const;
    bool failed() const { return LinkExchange::failedOutcomes(outcomes_); }

private:
    const char* bytes() const { return overflow_.isNull() ? inline_ : overflow_.constData(); }

    Clock::Micros at_ = 0;
    unsigned outcomes_ = 0;
    int operationSize_ = 0;
    int sentSize_ = 0;
    int receivedSize_ = 0;
    QByteArray overflow_; // a row too long to lie inline
    char inline_[InlineBytes] = {};
};
