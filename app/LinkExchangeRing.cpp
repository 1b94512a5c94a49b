#include "LinkExchangeRing.h"

#include <algorithm>

void LinkExchangeRing::push(LinkExchange exchange) {
    if (size() >= capacity_)
        dropOldest(size() - capacity_ + 1);
    rows_.push_back(std::move(exchange));
}

void LinkExchangeRing::moveTo(LinkExchangeRing& target) {
    for (LinkExchange& row : rows_)
        target.push(std::move(row));
    rows_.clear();
}

void LinkExchangeRing::dropOldest(int count) {
    count = std::clamp(count, 0, size());
    rows_.erase(rows_.begin(), rows_.begin() + count);
    dropped_ += count;
}

// A cleared ring starts over: what the operator threw away was not dropped.
void LinkExchangeRing::clear() {
    rows_.clear();
    rows_.shrink_to_fit();
    dropped_ = 0;
}
