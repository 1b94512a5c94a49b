#include "SpeedTrendChart.h"

#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPen>
#include <QSettings>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "AppContext.h"

namespace {
const QString SpanKey = QStringLiteral("Trend/Minutes");
const char* const SpanCaptions[] = {"1 minute", "10 minutes", "60 minutes"};
constexpr int MinimumColumns = 60;
constexpr double LowestTop = 100;
constexpr double TopStep = 50;

// Ticks at round times: every 10 s over a minute, every minute over 10, every 5 over 60.
qint64 tickMsFor(int minutes) {
    return minutes == 1 ? 10'000 : minutes == 10 ? 60'000 : 300'000;
}

double speedTickFor(double top) {
    return top <= 250 ? 50 : top <= 500 ? 100 : 250;
}

int storedMinutes(const QString& settingsFile) {
    if (settingsFile.isEmpty())
        return SpeedTrendChart::DefaultMinutes;
    return QSettings(settingsFile, QSettings::IniFormat)
        .value(SpanKey, SpeedTrendChart::DefaultMinutes)
        .toInt();
}
} // namespace

SpeedTrendChart::SpeedTrendChart(AppContext& context, QWidget* parent)
    : QGroupBox(QStringLiteral("Speed Trend (SPM)"), parent), context_(context),
      cboTrendSpan(new QComboBox(this)), chtTrend(new QChartView(this)), chart_(new QChart),
      timeAxis_(new QDateTimeAxis(chart_)), speedAxis_(new QValueAxis(chart_)), redrawTimer_(this) {
    setObjectName(QStringLiteral("fraTrend"));
    cboTrendSpan->setObjectName(QStringLiteral("cboTrendSpan"));
    chtTrend->setObjectName(QStringLiteral("chtTrend"));
    const int minutes = storedMinutes(context_.SettingsFile);
    for (const char* caption : SpanCaptions)
        cboTrendSpan->addItem(QLatin1String(caption));
    const auto* chosen = std::find(std::begin(SpanMinutes), std::end(SpanMinutes), minutes);
    cboTrendSpan->setCurrentIndex(
        chosen == std::end(SpanMinutes) ? 1 : static_cast<int>(chosen - std::begin(SpanMinutes)));
    connect(cboTrendSpan, &QComboBox::currentIndexChanged, this, &SpeedTrendChart::spanChosen);

    chart_->legend()->hide();
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_->setBackgroundRoundness(0);
    speedAxis_->setLabelFormat(QStringLiteral("%d"));
    speedAxis_->setTickType(QValueAxis::TicksDynamic);
    speedAxis_->setTickAnchor(0);
    speedAxis_->setRange(0, LowestTop);
    chart_->addAxis(timeAxis_, Qt::AlignBottom);
    chart_->addAxis(speedAxis_, Qt::AlignLeft);
    chtTrend->setChart(chart_);
    chtTrend->setRenderHint(QPainter::Antialiasing, false);
    chtTrend->setMinimumSize(560, 170);

    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("Span:"), this));
    bar->addWidget(cboTrendSpan);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(chtTrend);

    redrawTimer_.setSingleShot(true);
    redrawTimer_.setInterval(RedrawIntervalMs);
    connect(&redrawTimer_, &QTimer::timeout, this, &SpeedTrendChart::redraw);
}

int SpeedTrendChart::spanMinutes() const {
    return SpanMinutes[std::clamp(cboTrendSpan->currentIndex(), 0, 2)];
}

void SpeedTrendChart::pointAdded() {
    if (!redrawTimer_.isActive())
        redrawTimer_.start();
}

void SpeedTrendChart::showEvent(QShowEvent* event) {
    QGroupBox::showEvent(event);
    redraw();
}

void SpeedTrendChart::spanChosen(int) {
    if (!context_.SettingsFile.isEmpty())
        QSettings(context_.SettingsFile, QSettings::IniFormat).setValue(SpanKey, spanMinutes());
    redraw();
}

QLineSeries* SpeedTrendChart::segment(std::size_t index) {
    while (series_.size() <= index) {
        auto* line = new QLineSeries(chart_);
        chart_->addSeries(line);
        line->attachAxis(timeAxis_);
        line->attachAxis(speedAxis_);
        line->setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 2));
        series_.push_back(line);
    }
    return series_[index];
}

void SpeedTrendChart::redraw() {
    ++redraws_;
    // The span ends at the next round tick, so the time labels read as round times.
    const qint64 tickMs = tickMsFor(spanMinutes());
    const qint64 nowMs = context_.currentMSecsSinceEpoch();
    const qint64 toMs = (nowMs / tickMs + 1) * tickMs;
    const qint64 fromMs = toMs - qint64{spanMinutes()} * 60 * 1000;
    const int columns = std::max(MinimumColumns, static_cast<int>(chart_->plotArea().width()));
    const auto lines = context_.SpeedHistory.lines(fromMs, toMs, columns);
    double top = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        segment(i)->replace(QList<QPointF>(lines[i].begin(), lines[i].end()));
        for (const QPointF& point : lines[i])
            top = std::max(top, point.y());
    }
    for (std::size_t i = lines.size(); i < series_.size(); ++i)
        series_[i]->clear();
    timeAxis_->setFormat(spanMinutes() == 1 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    timeAxis_->setTickCount(static_cast<int>((toMs - fromMs) / tickMs) + 1);
    timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(fromMs),
                        QDateTime::fromMSecsSinceEpoch(toMs));
    const double topShown = std::max(LowestTop, std::ceil(top * 1.1 / TopStep) * TopStep);
    speedAxis_->setTickInterval(speedTickFor(topShown));
    speedAxis_->setRange(0, topShown);
}
