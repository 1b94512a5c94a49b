#include "HistoryLog.h"
#include "MachineWindowRig.h"
#include "frmBMData.h"

namespace {

class ShiftData : public MachineWindowRig<frmBMData> {
protected:
    ShiftData() { context.locale = QLocale(QLocale::English, QLocale::UnitedStates); }
    QString value(int i) const { return text(at("lblBMData", i)); }
};

// Offline it shows the current data grouped, with the degree sign, all disabled. Online, each
// transfer the board took is a shift in the history, with the counts last read.
TEST_F(ShiftData, OfflineItShowsCurrentDataOnlineTransferDataWritesTheFlagUnlessTheLinkFailed) {
    HistoryLog log(folder.filePath("history"));
    context.History = &log;
    context.currentDateTime = [] { return QDateTime(QDate(2026, 12, 7), QTime(6, 0)); };
    board.memory().setWord(1104, 12);
    board.memory().setPair(1100, 655'359'999);
    const std::int32_t values[] = {655'359'999, 0, 1234, 5, 7, -3};
    std::copy(std::begin(values), std::end(values), context.CurrentData.ParamValue.begin() + 9);
    load();
    runPasses(1);
    const char* shown[] = {"655,359,999", "0", "1,234", "5", " 7\u00B0", "-3\u00B0"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(value(i), QString::fromUtf8(shown[i])) << i;
        EXPECT_FALSE(enabled(at("lblBMData", i)));
    }
    EXPECT_FALSE(enabled(QStringLiteral("cmdEndofShift")));

    goOnline();
    runPasses(2); // the first notices the change; how values are shown online: the window table
    port.clearWire();
    pressKeys(Qt::Key_T);
    runPasses(2); // the pass under way may have read the last shift before the click
    EXPECT_EQ(value(2), QStringLiteral("655,359,999")); // the board closed the shift
    press("cmdEndofShift");
    EXPECT_EQ(writes(), "36=4 36=4 "); // F34, twice
    link.CommError = true;
    port.clearWire();
    press("cmdEndofShift");
    EXPECT_TRUE(port.wire().empty());
    // The passes after the first transfer read the new shift's zero counts.
    EXPECT_EQ(folder.read("history/2026-12-07.csv"),
              HistoryRecord::HeaderLine +
                  QByteArray("2026-12-07 06:00:00,Transfer Data,,,655359999,12\n"
                             "2026-12-07 06:00:00,Transfer Data,,,0,0\n"));
}

} // namespace
