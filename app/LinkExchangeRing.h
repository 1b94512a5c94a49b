#pragma once

#include <deque>

#include "LinkExchange.h"

// The last exchanges seen, oldest first. Beyond its capacity the oldest drop, and are counted,
// so memory stays bounded however long the line is watched.
class LinkExchangeRing {
public:
    static constexpr int Capacity = 20000;

    explicit LinkExchangeRing(int capacity = Capacity) : capacity_(capacity) {}

    void push(LinkExchange exchange);
    // Hands every row to `target`, oldest first; rows pushed out there count as dropped there.
    void moveTo(LinkExchangeRing& target);
    void dropOldest(int count);
    void clear();

    int size() const { return static_cast<int>(rows_.size()); }
    int capacity() const { return capacity_; }
    const LinkExchange& at(int index) const { return rows_[static_cast<std::size_t>(index)]; }
    long long dropped() const { return dropped_; }

private:
    std::deque<LinkExchange> rows_;
    int capacity_;
    long long dropped_ = 0;
};
