#pragma once

#include <QGroupBox>
#include <QTimer>
#include <vector>

class AppContext;
class QChart;
class QChartView;
class QComboBox;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

// The Main Display's trend strip: strokes per minute over the last 1, 10 or 60 minutes, drawn
// from the program's SpeedTrend. It is redrawn only after a point was added, at most four
// times a second, so an offline program draws nothing. The span is kept in the settings.
class SpeedTrendChart : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int RedrawIntervalMs = 250;
    static constexpr int DefaultMinutes = 10;
    static constexpr int SpanMinutes[] = {1, 10, 60};

    explicit SpeedTrendChart(AppContext& context, QWidget* parent = nullptr);

    // A new point is in the trend: draw it with the next redraw.
    void pointAdded();
    int spanMinutes() const;
    // Draws the trend as it is now; pointAdded() schedules this.
    void redraw();
    long long redrawCount() const { return redraws_; }
    // The line segments now drawn, for tests.
    const std::vector<QLineSeries*>& segments() const { return series_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void spanChosen(int index);
    QLineSeries* segment(std::size_t index);

    AppContext& context_;
    QComboBox* cboTrendSpan;
    QChartView* chtTrend;
    QChart* chart_;
    QDateTimeAxis* timeAxis_;
    QValueAxis* speedAxis_;
    std::vector<QLineSeries*> series_;
    QTimer redrawTimer_;
    long long redraws_ = 0;
};
