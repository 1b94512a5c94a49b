#pragma once

#include <array>

#include "MachineWindow.h"
#include "StopDetection.h"

class NumericEntry;
class QCheckBox;
class QGroupBox;
class QLabel;

// Set-up Parameters: the nine set-up parameters, written to the board as they are accepted
// online and edited in CurrentData offline; the two machine-adjustment buttons are enabled
// only while the machine stands still.
class frmBMSetup : public MachineWindow {
    Q_OBJECT
public:
    static constexpr int EntryCount = 8;
    static constexpr int CheckBoxIndex = 8;
    static constexpr int SpeedStep = 9; // after the nine addresses

    frmBMSetup(AppContext& context, std::function<void()> setOnlineMode, QWidget* parent = nullptr);
    ~frmBMSetup() override;

    bool dataLoaded() const { return DataLoaded; }
    bool entryEditing(int index) const { return EntryEditing[static_cast<std::size_t>(index)]; }

protected:
    void Activated() override;
    void ShowOnlineLayout() override;
    void ShowOfflineLayout() override;
    void ShowOfflineData() override;
    int ReadStepCount() const override { return SpeedStep + 1; }
    bool ReadOnlineValue(int index) override;
    void ShowOnlineValue(int index, const QString& value) override;
    void PassEnded() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFrames();
    void alignEntryColumns();
    void addEntryRow(int index, int frame);
    void setVisualTabOrder();
    void setEntryRowEnabled(int index, bool enabled);
    void setAdjustmentEnabled(bool enabled);
    void showEditableLayout();
    void CheckBoxChanged();
    bool readSpeedAndDetectStop();
    void entryAccepted(int index);
    void upDownChanged(int index);
    void writeEntry(int index, const QString& text);
    void showCheckBox(std::int32_t value);
    void storeParam(int index, std::int32_t value);

    std::array<NumericEntry*, EntryCount> entry_{};
    std::array<QLabel*, EntryCount> lblBMSetup{};
    std::array<QGroupBox*, 6> fraBMSetup{};
    QCheckBox* chkBMSetup = nullptr;
    QPushButton* cmdMachineZero = nullptr;
    QPushButton* cmdHomeCupfeed = nullptr;

    std::array<bool, EntryCount + 1> EntryEditing{};
    bool DataLoaded = false;
    bool LastOfflineEditing = false;
    StopDetection stop_;
};
