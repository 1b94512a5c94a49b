#pragma once

#include <functional>

class QWidget;

// The main window's way to its machine windows, which live in a layer above it: main fills
// this in. Index 0 Main Display, 1 Set-up Parameters, 2 Machine Timing, 3 Shift Data,
// 4 I/O States.
class MachineWindowFactory {
public:
    static constexpr int WindowCount = 5;

    virtual ~MachineWindowFactory() = default;

    // Whether this build has window `index`; its Window menu item is disabled otherwise.
    virtual bool available(int index) const = 0;
    // A new window `index` without a parent; it calls setOnlineMode after changing
    // TargetComm.OnlineMode. Null when the window is not available.
    virtual QWidget* load(int index, std::function<void()> setOnlineMode) = 0;
};
