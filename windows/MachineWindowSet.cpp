#include "MachineWindowSet.h"

#include "frmBMMain.h"

namespace {
constexpr int MainDisplay = 0;
}

bool MachineWindowSet::available(int index) const {
    return index == MainDisplay;
}

QWidget* MachineWindowSet::load(int index, std::function<void()> setOnlineMode) {
    if (index == MainDisplay)
        return new frmBMMain(context_, std::move(setOnlineMode));
    return nullptr;
}
