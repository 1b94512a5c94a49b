#include "MainStatusBar.h"

#include "StatusPanel.h"

namespace {
struct PanelDesign {
    const char* key;
    const char* text;
};
constexpr PanelDesign Design[MainStatusBar::PanelCount] = {
    {"STATUS", "System Message:"}, {"MODE", "OFFLINE"}, {"DATE", ""}, {"TIME", ""}};
constexpr qint64 SecondMs = 1'000;
constexpr qint64 MinuteMs = 60'000;
// Waking a little after the turn keeps a timer that fires a hair early from showing the old text.
constexpr qint64 TurnMarginMs = 20;
} // namespace

MainStatusBar::MainStatusBar(std::function<QDateTime()> now, QLocale locale, QWidget* parent)
    : QStatusBar(parent), now_(std::move(now)), locale_(std::move(locale)) {
    setObjectName(QStringLiteral("sbrMain"));
    setSizeGripEnabled(true);
    for (int i = 0; i < PanelCount; ++i) {
        const int number = i + 1;
        panels_[i] =
            new StatusPanel(QLatin1String(Design[i].key), QLatin1String(Design[i].text), this);
        connect(panels_[i], &StatusPanel::doubleClicked, this,
                [this, number] { emit panelDoubleClicked(number); });
        if (number == StatusPanelNumber)
            addWidget(panels_[i], 1);
        else
            addPermanentWidget(panels_[i]);
    }
    showsSeconds_ = showsSeconds(locale_.timeFormat(QLocale::ShortFormat));
    clock_.setSingleShot(true);
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, &MainStatusBar::showDateAndTime);
    showDateAndTime();
}

StatusPanel* MainStatusBar::panel(int number) const {
    return panels_[static_cast<std::size_t>(number - 1)];
}

QString MainStatusBar::panelText(int number) const {
    return panel(number)->text();
}

void MainStatusBar::setPanelText(int number, const QString& text) {
    panel(number)->setText(text);
}

void MainStatusBar::showDateAndTime() {
    const QDateTime moment = now_();
    setPanelText(DatePanelNumber, locale_.toString(moment.date(), QLocale::ShortFormat));
    setPanelText(TimePanelNumber, locale_.toString(moment.time(), QLocale::ShortFormat));
    scheduleNextChange();
}

// One wake-up just after each change of the shown text: each second when the locale's time
// shows seconds (the C locale's does), else each minute.
void MainStatusBar::scheduleNextChange() {
    const QTime time = now_().time();
    const qint64 period = showsSeconds_ ? SecondMs : MinuteMs;
    const qint64 intoPeriod = (showsSeconds_ ? 0 : time.second() * SecondMs) + time.msec();
    clock_.start(static_cast<int>(period - intoPeriod + TurnMarginMs));
}

// Seconds are shown when the format has an "s" outside its quoted literal texts.
bool MainStatusBar::showsSeconds(const QString& timeFormat) {
    bool quoted = false;
    for (QChar c : timeFormat) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && c == u's')
            return true;
    }
    return false;
}
