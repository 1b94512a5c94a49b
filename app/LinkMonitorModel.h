#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QTimer>

#include "LinkExchangeRing.h"
#include "LinkObserver.h"

// The link monitor's rows: every exchange the link reports, the last ones kept in a ring.
// New rows arrive in batches a few times a second, so a busy line costs the window one
// update per batch instead of one per exchange. While paused the shown rows stay put and
// new ones wait (the newest of them, at most a ring's worth).
class LinkMonitorModel final : public QAbstractTableModel, public LinkObserver {
    Q_OBJECT
public:
    enum Column { Marker, Time, Operation, Sent, Received, Outcome, ColumnCount };
    static constexpr int FailedRole = Qt::UserRole;
    // New rows are shown four times a second: still live to the eye, and the table's repaint
    // stays off the line's time, which the refresh cycle needs.
    static constexpr int BatchIntervalMs = 250;

    explicit LinkMonitorModel(int capacity = LinkExchangeRing::Capacity, QObject* parent = nullptr);

    void exchangeDone(const LinkExchange& exchange) override;
    // Shows the waiting rows now (unless paused).
    void showWaiting();

    void setPaused(bool paused);
    bool paused() const { return paused_; }
    int heldBack() const { return paused_ ? waiting_.size() : 0; }
    long long dropped() const { return shown_.dropped() + waiting_.dropped(); }
    void clear();

    LinkExchange exchange(int row) const { return shown_.at(row); }
    // The rows as text, one exchange a line.
    QString lines(const QList<int>& rows) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The held-back and dropped counts may have changed.
    void countsChanged();

private:
    QString text(const LinkExchange& exchange, int column) const;

    LinkExchangeRing shown_;
    LinkExchangeRing waiting_;
    bool paused_ = false;
    QTimer batch_;
    QFont bytesFont_;
};
