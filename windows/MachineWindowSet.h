#pragma once

#include "MachineWindowFactory.h"

class AppContext;

// The machine windows this build has, for the main window's Window menu.
class MachineWindowSet final : public MachineWindowFactory {
public:
    explicit MachineWindowSet(AppContext& context) : context_(context) {}

    bool available(int index) const override;
    QWidget* load(int index, std::function<void()> setOnlineMode) override;

private:
    AppContext& context_;
};
