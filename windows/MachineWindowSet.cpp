#include "MachineWindowSet.h"

#include "frmBMData.h"
#include "frmBMIO.h"
#include "frmBMMain.h"
#include "frmBMSetup.h"
#include "frmBMTmg.h"

namespace {
enum Window { MainDisplay, SetupParameters, MachineTiming, ShiftData, IOStates };
}

bool MachineWindowSet::available(int index) const {
    return index >= MainDisplay && index <= IOStates;
}

QWidget* MachineWindowSet::load(int index, std::function<void()> setOnlineMode) {
    if (index == MainDisplay)
        return new frmBMMain(context_, std::move(setOnlineMode));
    if (index == SetupParameters)
        return new frmBMSetup(context_, std::move(setOnlineMode));
    if (index == MachineTiming)
        return new frmBMTmg(context_, std::move(setOnlineMode));
    if (index == ShiftData) {
        auto* window = new frmBMData(context_, std::move(setOnlineMode));
        if (shiftHistory_)
            window->setShowHistory(shiftHistory_);
        return window;
    }
    if (index == IOStates)
        return new frmBMIO(context_, std::move(setOnlineMode));
    return nullptr;
}
