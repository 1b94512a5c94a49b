#include <gtest/gtest.h>

#include "LinkExchangeRing.h"
#include "QStringPrinter.h"

namespace {

LinkExchange row(const QString& operation, int sent, int received, unsigned outcomes = 0) {
    return {operation, QByteArray(sent, '\xA5'), QByteArray(received, '\x3C'), outcomes,
            1000LL * sent + received};
}

// Rows that lie inline and rows too long for it come back whole, also where a short row takes
// the place of a long one, after moving between rings, and across the ring's blocks.
TEST(LinkExchangeRing, KeepsEveryRowWholeWhateverItsLengthAndPlace) {
    const QString name60(60, QLatin1Char('n'));
    const std::vector<LinkExchange> rows = {
        row(QString(), 0, 0, LinkExchange::NoReply),
        row(name60, 10, 10),
        row(name60, 10, 11, LinkExchange::WrongEcho),
        row(QStringLiteral("write W1024 = 360"), 300, 1),
        row(QStringLiteral("Zeit 12\u00B0 \u2264 5"), 2, 2, LinkExchange::HandshakeRepeated),
        row(QStringLiteral("ident read"), 1, 9)};
    LinkExchangeRing waiting;
    LinkExchangeRing shown(LinkExchangeRing::BlockRows + 2); // wraps over a partial last block
    const int pushed = 6 * LinkExchangeRing::BlockRows;
    for (int number = 0; number < pushed; ++number) {
        waiting.push(rows[static_cast<std::size_t>(number % 6)]);
        if (number % 5 == 4) // batches of five, so each place takes rows of every length
            waiting.moveTo(shown);
    }
    waiting.moveTo(shown);
    ASSERT_EQ(shown.size(), shown.capacity());
    EXPECT_EQ(shown.dropped(), pushed - shown.capacity());
    for (int index = 0; index < shown.size(); ++index) {
        const LinkExchange kept = shown.at(index);
        const auto& original = rows[static_cast<std::size_t>((pushed - shown.size() + index) % 6)];
        ASSERT_EQ(kept.operation, original.operation) << index;
        ASSERT_EQ(kept.sent, original.sent) << index;
        ASSERT_EQ(kept.received, original.received) << index;
        ASSERT_EQ(kept.outcomes, original.outcomes) << index;
        ASSERT_EQ(kept.at, original.at) << index;
    }
    EXPECT_FALSE(shown.failed(shown.size() - 2)); // a repeated handshake went through
    EXPECT_TRUE(shown.failed(shown.size() - 4));
}

} // namespace
