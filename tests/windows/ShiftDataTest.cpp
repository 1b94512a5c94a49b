#include <QPushButton>

#include "MachineWindowRig.h"
#include "frmBMData.h"

namespace {

class ShiftData : public MachineWindowRig<frmBMData> {
protected:
    ShiftData() { context.locale = QLocale(QLocale::English, QLocale::UnitedStates); }
    QString value(int i) const { return text(at("lblBMData", i)); }
};

TEST_F(ShiftData, OfflineItShowsCurrentDataGroupedAndWithTheDegreeSignAllDisabled) {
    const std::int32_t values[] = {655'359'999, 0, 1234, 5, 7, -3};
    for (int i = 0; i < 6; ++i)
        context.CurrentData.ParamValue[9 + i] = values[i];
    load();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("BM Shift Data"));
    runPasses(1);
    const char* shown[] = {"655,359,999", "0", "1,234", "5", " 7\u00B0", "-3\u00B0"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(value(i), QString::fromUtf8(shown[i])) << i;
        EXPECT_FALSE(enabled(at("lblBMData", i)));
    }
    EXPECT_FALSE(enabled(QStringLiteral("cmdEndofShift")));
}

TEST_F(ShiftData, OnlineTransferDataRollsTheShiftEachTimeItIsPressed) {
    board.machine().setSpeed(0);
    board.memory().setPair(1100, 655'359'999);
    board.memory().setWord(1040, 7);
    goOnline();
    load();
    runPasses(1);
    EXPECT_EQ(value(0), QStringLiteral("655,359,999"));
    EXPECT_EQ(value(4), QString::fromUtf8("7\u00B0"));
    port.clearWire();
    QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
    QTest::qWait(150); // a mnemonic clicks after its short press animation
    find<QPushButton>(QStringLiteral("cmdEndofShift"))->click();
    EXPECT_EQ(writes(), "36=4 36=4"); // F34, twice
    runPasses(1);
    EXPECT_EQ(value(0), QStringLiteral("0"));
    EXPECT_EQ(value(2), QStringLiteral("655,359,999"));
    link.CommError = true;
    port.clearWire();
    find<QPushButton>(QStringLiteral("cmdEndofShift"))->click();
    EXPECT_TRUE(port.wire().empty());
}

} // namespace
