#pragma once

#include <array>

#include "MachineWindow.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class SpeedTrendChart;

// Main Display: machine speed and position from the board, and the program's system message.
class frmBMMain : public MachineWindow {
    Q_OBJECT
public:
    frmBMMain(AppContext& context, std::function<void()> setOnlineMode, QWidget* parent = nullptr);

protected:
    void ShowOnlineLayout() override;
    void ShowOfflineLayout() override;
    void PassStarting() override;
    void ShowOnlineValue(int index, const QString& value) override;
    void PassEnded() override;

private:
    void setDisplaysEnabled(bool enabled);

    std::array<QGroupBox*, 2> fraDisplay{};
    std::array<QLabel*, 2> lblDisplay{};
    QGroupBox* fraMessageDisplay;
    QPlainTextEdit* txtMessageDisplay;
    SpeedTrendChart* trend_;
};
