#include <QGroupBox>

#include "MachineWindowRig.h"
#include "frmBMIO.h"

namespace {

class IOStates : public MachineWindowRig<frmBMIO> {
protected:
    QColor colour(const QString& name) const {
        return find<QLabel>(name)->palette().color(QPalette::WindowText);
    }
    // The states of one bit frame as a string of 1 (ON, blue) and 0 (off, dark red).
    std::string bits(const char* group) const {
        std::string seen;
        for (int j = 0; j < 16; ++j) {
            const QString name = at(group, j);
            const bool on = text(name) == QStringLiteral("ON");
            EXPECT_EQ(text(name), on ? QStringLiteral("ON") : QStringLiteral("off")) << j;
            EXPECT_EQ(colour(name), on ? QColor(0, 0, 255) : QColor(192, 0, 0)) << j;
            seen += on ? '1' : '0';
        }
        return seen;
    }
};

TEST_F(IOStates, OnlineEachWordFansOutToItsSixteenBits) {
    // Bits the running machine leaves alone: it stands still with the PLS clock output off.
    board.machine().setSpeed(0);
    board.memory().setWord(180, 15);
    board.memory().setWord(100, 256);
    board.memory().setWord(110, 0x8008);
    board.memory().setByte(171, 0x81);
    board.memory().setByte(42, 2); // F81
    board.memory().setWord(162, 4095);
    goOnline();
    load();
    runPasses(1);
    EXPECT_EQ(bits("lblTmgChannelState"), "0000000010000001");
    EXPECT_EQ(bits("lblSlot10State"), "0000000010000000");
    EXPECT_EQ(bits("lblSlot11State"), "0001000000000001");
    EXPECT_EQ(text(at("lblk6686State", 0)), QStringLiteral("off"));
    EXPECT_EQ(colour(at("lblk6686State", 0)), QColor(192, 0, 0));
    EXPECT_EQ(text(at("lblk6686State", 1)), QStringLiteral("ON"));
    EXPECT_EQ(text(at("lblk6686State", 2)), QStringLiteral("4095"));
    EXPECT_EQ(text(at("lblSlot10", 8)), QStringLiteral("(B101.0)  10:"));
    EXPECT_EQ(find<QLabel>(at("lblSlot10", 8))->toolTip(), QStringLiteral("Continuous Mode"));
    EXPECT_EQ(find<QLabel>(at("lblTmgChannelState", 9))->toolTip(), QStringLiteral("B171.1"));
}

TEST_F(IOStates, GoingOfflineTurnsEveryStateIntoADisabledBlueDash) {
    board.memory().setWord(100, 0);
    goOnline();
    load();
    runPasses(1);
    link.OnlineMode = false;
    setOnlineMode();
    runPasses(1);
    for (const QString& name :
         {at("lblk6686State", 0), at("lblk6686State", 10), at("lblSlot10State", 15)}) {
        EXPECT_EQ(text(name), QStringLiteral("-")) << name.toStdString();
        EXPECT_FALSE(enabled(name));
    }
    EXPECT_EQ(colour(at("lblSlot10State", 3)), QColor(0, 0, 255));
    EXPECT_FALSE(enabled(at("fraBMIO", 3)));
}

} // namespace
