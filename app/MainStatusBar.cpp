#include "MainStatusBar.h"

#include <algorithm>

#include "StatusPanel.h"

namespace {
struct PanelDesign {
    const char* key;
    const char* text;
};
constexpr PanelDesign Design[MainStatusBar::PanelCount] = {
    {"STATUS", "System Message:"}, {"MODE", "OFFLINE"}, {"DATE", ""}, {"TIME", ""}};
constexpr qint64 MinuteMs = 60'000;
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
    clock_.setSingleShot(true);
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
    scheduleNextMinute();
}

// The panels show minutes, so one wake-up a minute, just after it turns, keeps them current.
void MainStatusBar::scheduleNextMinute() {
    const QTime time = now_().time();
    const qint64 intoMinute = time.second() * 1000LL + time.msec();
    clock_.start(static_cast<int>(std::clamp<qint64>(MinuteMs - intoMinute + 50, 1000, MinuteMs)));
}
