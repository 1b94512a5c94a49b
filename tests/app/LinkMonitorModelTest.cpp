#include <gtest/gtest.h>

#include "LinkMonitorModel.h"
#include "QStringPrinter.h"

namespace {

LinkExchange exchange(int number) {
    LinkExchange row;
    row.operation = QStringLiteral("read B%1").arg(number);
    row.sent = QByteArray(1, static_cast<char>(number));
    return row;
}

QStringList operations(const LinkMonitorModel& model) {
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown.append(model.index(row, LinkMonitorModel::Operation).data().toString());
    return shown;
}

void feed(LinkMonitorModel& model, int first, int last) {
    for (int number = first; number <= last; ++number)
        model.exchangeDone(exchange(number));
    model.showWaiting();
}

TEST(LinkMonitorModel, KeepsARingfulHoldsRowsBackWhenPausedAndMarksFailedRows) {
    LinkMonitorModel model(3);
    feed(model, 1, 2);
    feed(model, 3, 5);
    EXPECT_EQ(operations(model), QStringList({"read B3", "read B4", "read B5"}));
    EXPECT_EQ(model.dropped(), 2);
    feed(model, 6, 12); // more than a ringful in one batch
    EXPECT_EQ(operations(model), QStringList({"read B10", "read B11", "read B12"}));
    EXPECT_EQ(model.dropped(), 9);
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.dropped(), 0);

    // Pause holds rows back while capture goes on.
    feed(model, 1, 2);
    model.setPaused(true);
    feed(model, 3, 4);
    EXPECT_EQ(operations(model), QStringList({"read B1", "read B2"}));
    EXPECT_EQ(model.heldBack(), 2);
    model.setPaused(false);
    EXPECT_EQ(operations(model), QStringList({"read B2", "read B3", "read B4"}));
    EXPECT_EQ(model.heldBack(), 0);
    EXPECT_EQ(model.dropped(), 1);

    // Failed rows are marked in their own column as well as in colour.
    model.clear();
    LinkExchange failed = exchange(7);
    failed.outcomes = LinkExchange::TimeOut | LinkExchange::Retry;
    failed.at = 12345;
    model.exchangeDone(exchange(6));
    model.exchangeDone(failed);
    model.showWaiting();
    const auto cell = [&](int row, int column, int role = Qt::DisplayRole) {
        return model.index(row, column).data(role);
    };
    EXPECT_EQ(cell(0, LinkMonitorModel::Marker).toString(), "");
    EXPECT_EQ(cell(1, LinkMonitorModel::Marker).toString(), "!");
    EXPECT_EQ(cell(1, LinkMonitorModel::Time).toString(), "12.3");
    EXPECT_EQ(cell(1, LinkMonitorModel::Sent).toString(), "07");
    EXPECT_EQ(cell(0, LinkMonitorModel::Outcome).toString(), "ok");
    EXPECT_EQ(cell(1, LinkMonitorModel::Outcome).toString(),
              "time-out with resynchronisation, Retry");
    EXPECT_FALSE(cell(0, LinkMonitorModel::Operation, Qt::BackgroundRole).isValid());
    EXPECT_TRUE(cell(1, LinkMonitorModel::Operation, Qt::BackgroundRole).isValid());
}

} // namespace
