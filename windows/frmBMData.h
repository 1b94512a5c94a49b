#pragma once

#include <array>
#include <functional>

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

    // What the History button opens; the button stays disabled without it.
    void setShowHistory(std::function<void(QWidget*)> showHistory);

protected:
    void ShowOnlineLayout() override;
    void ShowOfflineLayout() override;
    void ShowOfflineData() override;
    void ShowOnlineValue(int index, const QString& value) override;

private:
    void applyLayout(bool enabled);
    QString countText(double value) const;
    void EndOfShift();
    void recordShift();

    std::array<QGroupBox*, 4> fraBMData{};
    std::array<QLabel*, ValueCount> lblBMDataDes{};
    std::array<QLabel*, ValueCount> lblBMData{};
    QPushButton* cmdEndofShift;
    QPushButton* cmdHistory;
    bool LastOfflineEditing = false;
    // The current shift's counts as last read, which Transfer Data records.
    std::array<QString, 2> shiftCounts_;
    std::function<void(QWidget*)> showHistory_;
};
