#pragma once

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTimer>

#include "MachineWindowRig.h"
#include "frmBMMain.h"

// Main Display on the machine-window rig; load() leaves it unshown.
class MainDisplayFixture : public MachineWindowRig<frmBMMain> {
protected:
    void load() { create(); }
    void loadAndShow() { MachineWindowRig::load(); }
    void showOnline() { goOnline(), loadAndShow(), runPasses(1); }

    QLabel* label(int i) const { return find<QLabel>(at("lblDisplay", i)); }
    QGroupBox* frame(int i) const { return find<QGroupBox>(at("fraDisplay", i)); }
    QString messages() const { return find<QPlainTextEdit>("txtMessageDisplay")->toPlainText(); }
    void setSpeedAndPosition(std::uint16_t speed, std::uint16_t position) {
        board.machine().setSpeed(speed);
        board.memory().setWord(180, position);
    }

    std::unique_ptr<frmBMMain>& display = window;
};
