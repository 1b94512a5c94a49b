#pragma once

#include <memory>
#include <vector>

#include "StoredExchange.h"

// The last exchanges seen, oldest first. Beyond its capacity the oldest drop, and are counted,
// so memory stays bounded however long the line is watched. Rows lie in fixed records, in
// blocks taken as the ring first fills and kept after: once full, a new row overwrites the
// oldest in place and the heap holds still.
class LinkExchangeRing {
public:
    static constexpr int Capacity = 20000;
    static constexpr int BlockRows = 1024;

    explicit LinkExchangeRing(int capacity = Capacity);

    void push(const LinkExchange& exchange);
    // Hands every row to `target`, oldest first; rows pushed out there count as dropped there.
    void moveTo(LinkExchangeRing& target);
    void dropOldest(int count);
    void clear();

    int size() const { return size_; }
    int capacity() const { return capacity_; }
    LinkExchange at(int index) const { return slot(index).load(); }
    bool failed(int index) const { return slot(index).failed(); }
    long long dropped() const { return dropped_; }

private:
    const StoredExchange& slot(int index) const;
    StoredExchange& place(int position);
    StoredExchange& append();
    void releaseBlocksAfterTheFirst();

    std::vector<std::unique_ptr<StoredExchange[]>> blocks_;
    int capacity_;
    int first_ = 0; // position of the oldest row
    int size_ = 0;
    long long dropped_ = 0;
};
