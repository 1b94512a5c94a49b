#include "LinkExchangeRing.h"

#include <algorithm>

LinkExchangeRing::LinkExchangeRing(int capacity)
    : blocks_(static_cast<std::size_t>((std::max(capacity, 1) + BlockRows - 1) / BlockRows)),
      capacity_(std::max(capacity, 1)) {}

const StoredExchange& LinkExchangeRing::slot(int index) const {
    const int position = (first_ + index) % capacity_;
    return blocks_[static_cast<std::size_t>(position / BlockRows)][position % BlockRows];
}

// The record at a position, its block taken the first time a row goes there.
StoredExchange& LinkExchangeRing::place(int position) {
    std::unique_ptr<StoredExchange[]>& block =
        blocks_[static_cast<std::size_t>(position / BlockRows)];
    if (!block) {
        const int rows = std::min(BlockRows, capacity_ - position / BlockRows * BlockRows);
        block = std::make_unique<StoredExchange[]>(static_cast<std::size_t>(rows));
    }
    return block[position % BlockRows];
}

// The record after the newest row, the oldest dropped to make room when the ring is full.
StoredExchange& LinkExchangeRing::append() {
    if (size_ == capacity_)
        dropOldest(1);
    return place((first_ + size_++) % capacity_);
}

void LinkExchangeRing::push(const LinkExchange& exchange) {
    append().store(exchange);
}

void LinkExchangeRing::moveTo(LinkExchangeRing& target) {
    for (int index = 0; index < size_; ++index)
        target.append() = slot(index);
    first_ = 0;
    size_ = 0;
    // A long pause may have filled many blocks; an everyday batch fits in the first.
    releaseBlocksAfterTheFirst();
}

void LinkExchangeRing::dropOldest(int count) {
    count = std::clamp(count, 0, size_);
    first_ = (first_ + count) % capacity_;
    size_ -= count;
    dropped_ += count;
}

// A cleared ring starts over: what the operator threw away was not dropped.
void LinkExchangeRing::clear() {
    for (auto& block : blocks_)
        block.reset();
    first_ = 0;
    size_ = 0;
    dropped_ = 0;
}

void LinkExchangeRing::releaseBlocksAfterTheFirst() {
    for (std::size_t block = 1; block < blocks_.size(); ++block)
        blocks_[block].reset();
}
