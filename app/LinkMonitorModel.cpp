#include "LinkMonitorModel.h"

#include <QColor>
#include <QFontDatabase>

#include "LinkExchangeText.h"

namespace {
const QColor FailedBackground(255, 214, 214);
const QColor FailedText(150, 0, 0);
} // namespace

LinkMonitorModel::LinkMonitorModel(int capacity, QObject* parent)
    : QAbstractTableModel(parent), shown_(capacity), waiting_(capacity),
      bytesFont_(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {
    batch_.setSingleShot(true);
    batch_.setInterval(BatchIntervalMs);
    connect(&batch_, &QTimer::timeout, this, &LinkMonitorModel::showWaiting);
}

void LinkMonitorModel::exchangeDone(const LinkExchange& exchange) {
    waiting_.push(exchange);
    if (paused_)
        emit countsChanged();
    else if (!batch_.isActive())
        batch_.start();
}

void LinkMonitorModel::showWaiting() {
    const int incoming = waiting_.size();
    if (paused_ || incoming == 0)
        return;
    if (incoming >= shown_.capacity()) {
        beginResetModel();
        shown_.dropOldest(shown_.size());
        waiting_.moveTo(shown_);
        endResetModel();
    } else {
        const int overflow = shown_.size() + incoming - shown_.capacity();
        if (overflow > 0) {
            beginRemoveRows({}, 0, overflow - 1);
            shown_.dropOldest(overflow);
            endRemoveRows();
        }
        beginInsertRows({}, shown_.size(), shown_.size() + incoming - 1);
        waiting_.moveTo(shown_);
        endInsertRows();
    }
    emit countsChanged();
}

void LinkMonitorModel::setPaused(bool paused) {
    paused_ = paused;
    if (!paused_)
        showWaiting();
    emit countsChanged();
}

void LinkMonitorModel::clear() {
    beginResetModel();
    shown_.clear();
    waiting_.clear();
    endResetModel();
    emit countsChanged();
}

QString LinkMonitorModel::lines(const QList<int>& rows) const {
    QString text;
    for (int row : rows)
        text += LinkExchangeText::line(shown_.at(row)) + QStringLiteral("\r\n");
    return text;
}

int LinkMonitorModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_.size();
}

int LinkMonitorModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString LinkMonitorModel::text(const LinkExchange& exchange, int column) const {
    switch (column) {
    case Marker:
        return LinkExchangeText::marker(exchange);
    case Time:
        return LinkExchangeText::time(exchange);
    case Operation:
        return exchange.operation;
    case Sent:
        return LinkExchangeText::hex(exchange.sent);
    case Received:
        return LinkExchangeText::hex(exchange.received);
    default:
        return LinkExchangeText::outcome(exchange);
    }
}

// Rows are formatted only when the view asks, so capture costs a copy of the exchange.
QVariant LinkMonitorModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_.size())
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
        return text(shown_.at(row), index.column());
    case FailedRole:
        return shown_.failed(row);
    case Qt::BackgroundRole:
        return shown_.failed(row) ? QVariant(FailedBackground) : QVariant();
    case Qt::ForegroundRole:
        return shown_.failed(row) ? QVariant(FailedText) : QVariant();
    case Qt::FontRole:
        return index.column() == Sent || index.column() == Received ? QVariant(bytesFont_)
                                                                    : QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() == Time)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (index.column() == Marker)
            return int(Qt::AlignCenter);
        return {};
    default:
        return {};
    }
}

QVariant LinkMonitorModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    static const char* const Headings[ColumnCount] = {"!",    "Time (ms)", "Operation",
                                                      "Sent", "Received",  "Outcome"};
    return QLatin1String(Headings[section]);
}
