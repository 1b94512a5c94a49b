#include "MachineWindowSet.h"

#include "frmBMMain.h"
#include "frmBMSetup.h"

namespace {
enum Window { MainDisplay, SetupParameters };
}

bool MachineWindowSet::available(int index) const {
    return index >= MainDisplay && index <= SetupParameters;
}

QWidget* MachineWindowSet::load(int index, std::function<void()> setOnlineMode) {
    if (index == MainDisplay)
        return new frmBMMain(context_, std::move(setOnlineMode));
    if (index == SetupParameters)
        return new frmBMSetup(context_, std::move(setOnlineMode));
    return nullptr;
}
