#include "MachineWindowRig.h"
#include "frmBMIO.h"

namespace {

const QColor Blue(0, 0, 255);
const QColor DarkRed(192, 0, 0);

class IOStates : public MachineWindowRig<frmBMIO> {
protected:
    QColor colour(const QString& name) const {
        return find<QLabel>(name)->palette().color(QPalette::WindowText);
    }
    // One character per state label: 1 "ON" in blue, 0 "off" in dark red, ? anything else.
    std::string states(const char* name, int count = 16) const {
        std::string seen;
        for (int j = 0; j < count; ++j) {
            const QString label = at(name, j);
            const bool on = text(label) == QStringLiteral("ON") && colour(label) == Blue;
            const bool off = text(label) == QStringLiteral("off") && colour(label) == DarkRed;
            seen += on ? '1' : off ? '0' : '?';
        }
        return seen;
    }
};

TEST_F(IOStates, EachWordFansOutToItsSixteenBitsAndOfflineEveryStateIsADash) {
    // Bits the running machine leaves alone: it stands still with the PLS clock output off.
    board.machine().setSpeed(0);
    board.memory().setWord(180, 15);
    board.memory().setWord(100, 256);
    board.memory().setWord(110, 0x8008);
    board.memory().setByte(171, 0x81);
    board.memory().setByte(42, 2); // F81
    goOnline();
    load();
    runPasses(1);
    EXPECT_EQ(states("lblTmgChannelState"), "0000000010000001");
    EXPECT_EQ(states("lblSlot10State"), "0000000010000000");
    EXPECT_EQ(states("lblSlot11State"), "0001000000000001");
    EXPECT_EQ(states("lblk6686State", 2), "01");
    EXPECT_EQ(text(at("lblSlot10", 8)), QStringLiteral("(B101.0)  10:"));
    EXPECT_EQ(find<QLabel>(at("lblTmgChannelState", 9))->toolTip(), QStringLiteral("B171.1"));
    link.OnlineMode = false;
    runPasses(1);
    EXPECT_EQ(text(at("lblk6686State", 0)) + text(at("lblSlot10State", 15)), QStringLiteral("--"));
    EXPECT_FALSE(enabled(at("lblSlot10State", 15)));
    EXPECT_EQ(colour(at("lblSlot10State", 3)), Blue);
}

} // namespace
