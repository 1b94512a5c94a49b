#include <gtest/gtest.h>

#include "LinkExchangeRing.h"
#include "QStringPrinter.h"

namespace {

LinkExchange row(const QString& operation, int sent, int received, unsigned outcomes = 0) {
    LinkExchange exchange;
    exchange.operation = operation;
    exchange.sent = QByteArray(sent, '\xA5');
    exchange.received = QByteArray(received, '\x3C');
    exchange.outcomes = outcomes;
    exchange.at = 1000LL * sent + received;
    return exchange;
}

void expectSame(const LinkExchange& kept, const LinkExchange& original) {
    EXPECT_EQ(kept.operation, original.operation);
    EXPECT_EQ(kept.sent, original.sent);
    EXPECT_EQ(kept.received, original.received);
    EXPECT_EQ(kept.outcomes, original.outcomes);
    EXPECT_EQ(kept.at, original.at);
}

// Rows that lie inline and rows too long for it come back whole, also where a short row later
// takes the place of a long one, and after moving from one ring to another.
TEST(LinkExchangeRing, KeepsEveryRowWholeWhateverItsLength) {
    const QString name60 = QString(60, QLatin1Char('n'));
    const std::vector<LinkExchange> rows = {
        row(QString(), 0, 0, LinkExchange::NoReply),
        row(name60, 10, 10), // just fits inline
        row(name60, 10, 11, LinkExchange::WrongEcho), // one byte over
        row(QStringLiteral("write W1024 = 360"), 300, 1),
        row(QStringLiteral("Zeit 12\u00B0 \u2264 5"), 2, 2, LinkExchange::HandshakeRepeated),
        row(QStringLiteral("ident read"), 1, 9),
    };
    LinkExchangeRing waiting;
    LinkExchangeRing shown(3);
    for (const LinkExchange& exchange : rows) {
        waiting.push(exchange);
        waiting.moveTo(shown);
    }
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown.dropped(), 3);
    for (int index = 0; index < 3; ++index)
        expectSame(shown.at(index), rows[static_cast<std::size_t>(index) + 3]);
    EXPECT_FALSE(shown.failed(1)); // a repeated handshake went through
    EXPECT_EQ(waiting.size(), 0);
}

// A ring bigger than one block wraps over its blocks and keeps the newest rows in order.
TEST(LinkExchangeRing, WrapsAcrossBlocks) {
    const int capacity = LinkExchangeRing::BlockRows + 7;
    LinkExchangeRing ring(capacity);
    const int pushed = 3 * capacity + 5;
    for (int number = 0; number < pushed; ++number)
        ring.push(row(QString::number(number), number % 97, 0));
    ASSERT_EQ(ring.size(), capacity);
    EXPECT_EQ(ring.dropped(), pushed - capacity);
    for (int index : {0, LinkExchangeRing::BlockRows - 1, LinkExchangeRing::BlockRows, capacity - 1})
        EXPECT_EQ(ring.at(index).operation, QString::number(pushed - capacity + index));
}

} // namespace
