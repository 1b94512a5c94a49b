#pragma once

#include <QColor>
#include <array>

#include "MachineWindow.h"

class QGroupBox;
class QLabel;

// I/O States: the live state of the controller's inputs, outputs, timing channels and a few
// analog and resolver values, read-only.
class frmBMIO : public MachineWindow {
    Q_OBJECT
public:
    static constexpr int ModuleCount = 11;
    static constexpr int BitCount = 16;
    static constexpr int BitGroupCount = 3;

    frmBMIO(AppContext& context, std::function<void()> setOnlineMode, QWidget* parent = nullptr);

protected:
    void ShowOnlineLayout() override;
    void ShowOfflineLayout() override;
    void ShowOnlineValue(int index, const QString& value) override;

private:
    using BitLabels = std::array<QLabel*, BitCount>;

    void buildModuleFrame();
    void buildBitFrame(int group);
    QLabel* addPair(QGroupBox* frame, const QString& name, int index, const QString& caption,
                    const QString& nameHover, const QString& initial);
    void applyLayout(bool enabled);
    static void showState(QLabel* label, bool on);

    std::array<QGroupBox*, 4> fraBMIO{};
    std::array<QLabel*, ModuleCount> lblk6686State{};
    std::array<BitLabels, BitGroupCount> bitStates_{}; // timing channels, slot 00, slot 01
    std::vector<QLabel*> names_;
    QColor frameFill_;
};
