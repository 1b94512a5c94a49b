#pragma once

#include <QDateTime>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>
#include <array>
#include <functional>

class StatusPanel;

// The main window's four panels: 1 STATUS (system message), 2 MODE (ONLINE/OFFLINE),
// 3 DATE and 4 TIME, which keep themselves current. Panels are numbered from 1.
class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int PanelCount = 4;
    static constexpr int StatusPanelNumber = 1;
    static constexpr int ModePanelNumber = 2;
    static constexpr int DatePanelNumber = 3;
    static constexpr int TimePanelNumber = 4;

    MainStatusBar(std::function<QDateTime()> now, QLocale locale, QWidget* parent = nullptr);

    StatusPanel* panel(int number) const;
    QString panelText(int number) const;
    void setPanelText(int number, const QString& text);

    // Date and time as of now; the bar calls it itself whenever the shown text would change.
    void showDateAndTime();

signals:
    void panelDoubleClicked(int number);

private:
    void scheduleNextChange();
    static bool showsSeconds(const QString& timeFormat);

    std::function<QDateTime()> now_;
    QLocale locale_;
    bool showsSeconds_ = false;
    std::array<StatusPanel*, PanelCount> panels_{};
    QTimer clock_;
};
