#pragma once

#include <array>

#include "MachineWindow.h"

class QGroupBox;
class QLabel;

// Shift Data: the counts of the current and the last shift and the brake response, and the
// end-of-shift transfer.
class frmBMData : public MachineWindow {
    Q_OBJECT
public:
    static constexpr int ValueCount = 6;
    static constexpr int FirstParam = 9; // ParamValue(9 + i) holds value i offline

    frmBMData(AppContext& context, std::function<void()> setOnlineMode, QWidget* parent = nullptr);

protected:
    void ShowOnlineLayout() override;
    void ShowOfflineLayout() override;
    void ShowOfflineData() override;
    void ShowOnlineValue(int index, const QString& value) override;

private:
    void applyLayout(bool enabled);
    QString countText(double value) const;
    void EndOfShift();

    std::array<QGroupBox*, 4> fraBMData{};
    std::array<QLabel*, ValueCount> lblBMDataDes{};
    std::array<QLabel*, ValueCount> lblBMData{};
    QPushButton* cmdEndofShift;
    bool LastOfflineEditing = false;
};
