#pragma once

#include <array>

#include "MachineWindow.h"
#include "StopDetection.h"

class NumericEntry;
class QGroupBox;
class QLabel;
class QStatusBar;
class TimingChannelTable;

// Machine Timing: the PLS status in a status bar, the PLS configuration with its reset, the
// resolver offset, and the table of the eight timing channels. Everything it reads comes
// through the link's PLS operations.
class frmBMTmg : public MachineWindow {
    Q_OBJECT
public:
    static constexpr int ConfigShown = 10;

    frmBMTmg(AppContext& context, std::function<void()> setOnlineMode, QWidget* parent = nullptr);

protected:
    void Activated() override;
    void PassStarting() override;
    void ShowOnlineLayout() override;
    void ShowOfflineLayout() override;
    void ShowOfflineData() override;
    int ReadStepCount() const override { return 4; }
    bool ReadOnlineValue(int step) override;

private:
    void buildConfigFrame();
    void buildOffsetFrame();
    void setFrameTabOrder();
    void buildStatusBar(QLayout* layout);
    void parkFocus();
    void setPanel(int panel, const QString& text);
    void setOffsetControlsEnabled(bool enabled);
    void setConfigEnabled(bool enabled);
    void ShowPLSConfig();
    bool readSpeed();
    bool readPosition();
    bool readWord(int panel, const QString& caption, QString (RSComm::*read)());
    void ResetPLSConfig();
    void SetOffset();

    std::array<QGroupBox*, 4> fraTmg{};
    std::array<QLabel*, ConfigShown + 1> lblCfgDescription{};
    std::array<QLabel*, ConfigShown> lblPLSCfg{};
    std::array<QLabel*, 4> panels_{};
    QStatusBar* sbrMachineTiming = nullptr;
    QPushButton* cmdResetPLSConfig = nullptr;
    QPushButton* cmdSetOffset = nullptr;
    NumericEntry* txtTmg0_ = nullptr;
    TimingChannelTable* table_ = nullptr;
    StopDetection stop_;
    bool LastOfflineEditing = false;
};
