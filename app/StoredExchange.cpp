#include "StoredExchange.h"

#include <cstring>

void StoredExchange::store(const LinkExchange& exchange) {
    const QByteArray operation = exchange.operation.toUtf8();
    at_ = exchange.at;
    outcomes_ = exchange.outcomes;
    operationSize_ = static_cast<int>(operation.size());
    sentSize_ = static_cast<int>(exchange.sent.size());
    receivedSize_ = static_cast<int>(exchange.received.size());
    const qsizetype total = operation.size() + exchange.sent.size() + exchange.received.size();
    char* target = inline_;
    if (total > InlineBytes) {
        overflow_ = QByteArray(total, Qt::Uninitialized);
        target = overflow_.data();
    } else {
        overflow_ = QByteArray(); // what an earlier, longer row left here goes now
    }
    std::memcpy(target, operation.constData(), static_cast<std::size_t>(operationSize_));
    target += operationSize_;
    std::memcpy(target, exchange.sent.constData(), static_cast<std::size_t>(sentSize_));
    target += sentSize_;
    std::memcpy(target, exchange.received.constData(), static_cast<std::size_t>(receivedSize_));
}

LinkExchange StoredExchange::load() const {
    LinkExchange exchange;
    const char* source = bytes();
    exchange.operation = QString::fromUtf8(source, operationSize_);
    source += operationSize_;
    exchange.sent = QByteArray(source, sentSize_);
    source += sentSize_;
    exchange.received = QByteArray(source, receivedSize_);
    exchange.outcomes = outcomes_;
    exchange.at = at_;
    return exchange;
}
