#pragma once

#include <QWidget>

#include "MachineWindowFactory.h"

class AppContext;

// The machine windows this build has, for the main window's Window menu.
class MachineWindowSet final : public MachineWindowFactory {
public:
    explicit MachineWindowSet(AppContext& context) : context_(context) {}

    bool available(int index) const override;
    QWidget* load(int index, std::function<void()> setOnlineMode) override;
    // What the Shift Data window's History button opens (its parent given).
    void setShiftHistory(std::function<void(QWidget*)> show) { shiftHistory_ = std::move(show); }

private:
    AppContext& context_;
    std::function<void(QWidget*)> shiftHistory_;
};
