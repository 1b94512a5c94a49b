#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "CaseName.h"
#include "MachineWindowRig.h"
#include "frmBMSetup.h"

namespace {

const char* const Box = "txtBMSetup";
const int Address[] = {1022, 1024, 1030, 1032, 1036, 1038, 1026, 1028};

class SetupParameters : public MachineWindowRig<frmBMSetup> {
protected:
    void loadOnline(std::uint8_t brakeWear = 1) {
        board.machine().setSpeed(0);
        board.memory().setByte(1020, brakeWear);
        for (int i = 0; i < 8; ++i)
            board.memory().setWord(static_cast<std::uint16_t>(Address[i]), 10 + i);
        goOnline();
        load();
        runPasses(1);
        port.clearWire();
    }
    QCheckBox* check() const { return find<QCheckBox>(QStringLiteral("chkBMSetup")); }
};

TEST_F(SetupParameters, OfflineEditingEditsAndComingBackFromAnotherChildReappliesTheLayout) {
    context.CurrentData.ParamValue[1] = 321;
    context.CurrentData.ParamValue[8] = 0;
    load();
    runPasses(1);
    EXPECT_EQ(text(at(Box, 1)), QStringLiteral("321"));
    EXPECT_FALSE(check()->isChecked() || check()->isEnabled() || enabled(at(Box, 1)));
    context.OfflineEditing = true;
    runPasses(2); // the first notices the change, the second applies the layout
    EXPECT_TRUE(enabled(at(Box, 1)) && !enabled(at(Box, 0))); // 0 is gated by the check box
    type(at(Box, 2), QStringLiteral("42"));
    check()->click();
    EXPECT_EQ(context.CurrentData.ParamValue[2], 42);
    EXPECT_EQ(context.CurrentData.ParamValue[8], 1);
    EXPECT_TRUE(enabled(at(Box, 0)) && port.wire().empty());

    // Coming back from another child window applies the layout again.
    goOnline();
    QMdiArea area;
    auto* own = area.addSubWindow(new frmBMSetup(context, [] {}));
    auto* other = area.addSubWindow(new QWidget);
    area.show();
    area.setActiveSubWindow(own);
    for (int step = 0; step < 40; ++step)
        own->findChild<frmBMSetup*>()->runCycleStep();
    auto* box = own->findChild<QLineEdit*>(at(Box, 1));
    area.setActiveSubWindow(other);
    EXPECT_NE(box->text(), QStringLiteral("-"));
    area.setActiveSubWindow(own);
    EXPECT_EQ(box->text(), QStringLiteral("-"));
}

TEST_F(SetupParameters, OnlineTheCheckBoxIsWrittenOnlyWhenChangedAndTheButtonsFollowTheEdges) {
    loadOnline(0);
    EXPECT_FALSE(check()->isChecked() || enabled(at(Box, 0)));
    EXPECT_EQ(context.CurrentData.ParamValue[8], 1); // the board's 0 is not stored
    check()->click();
    EXPECT_EQ(writes(), "1020=1 ");
    const std::pair<std::uint16_t, bool> passes[] = {
        {0, true}, {120, false}, {0, true}, {5, false}};
    for (const auto& [speed, on] : passes) {
        board.machine().setSpeed(speed);
        runPasses(1);
        for (const char* name : {"cmdMachineZero", "cmdHomeCupfeed", "fraBMSetup(4)"})
            EXPECT_EQ(enabled(QLatin1String(name)), on) << name << " " << speed;
    }
}

struct EntryCase {
    const char* name;
    int index;
    const char* typed;
    const char* shown;
    const char* message; // null: accepted, stored and written twice
};

VORNA7_PRINTS_ROW_NAME(EntryCase)

class SetupEntries : public SetupParameters, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(SetupEntries, AcceptedOrRejected) {
    const EntryCase& c = GetParam();
    loadOnline();
    type(at(Box, c.index), QLatin1String(c.typed));
    const int shown = QString::fromLatin1(c.shown).toInt();
    EXPECT_EQ(text(at(Box, c.index)), QLatin1String(c.shown));
    EXPECT_EQ(context.CurrentData.ParamValue[c.index],
              c.message ? context.DefaultData.ParamValue[c.index] : shown);
    EXPECT_EQ(writes(),
              c.message ? "" : word(Address[c.index], shown) + word(Address[c.index], shown));
    EXPECT_EQ(prompter.count(), c.message ? 1 : 0);
    if (c.message) {
        EXPECT_EQ(prompter.last().text, QLatin1String(c.message));
        EXPECT_EQ(focused(), find(at(Box, c.index)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SetupEntries,
    // The ranges are the window table's; what is refused, and how, is the entry's own.
    ::testing::Values(EntryCase{"FractionShownAndSentWholeHalfToEven", 2, "12.5", "12", nullptr},
                      EntryCase{"AboveRange", 0, "360", "10",
                                "Only a Number Between 0 and 359 can be Entered"}),
    CaseName());

TEST_F(SetupParameters, TheEditedEntryIsLeftAloneUntilAbandonedOrSteppedAndAcceleratorsWork) {
    loadOnline();
    auto* box = find<QLineEdit>(at(Box, 3));
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(box, QStringLiteral("55"));
    board.memory().setWord(1030, 77);
    runPasses(1);
    EXPECT_EQ(text(at(Box, 2)) + box->text(), QStringLiteral("7755"));
    QTest::keyClick(box, Qt::Key_Escape);
    QTest::keyClick(box, Qt::Key_Escape); // abandoned: the old value is stored and written back
    EXPECT_EQ(focused(), find(QStringLiteral("cmdDefault")));
    find(at("updBMSetup", 5))->setFocus(Qt::TabFocusReason);
    QTest::keyClick(focused(), Qt::Key_Up); // the up-down keeps the focus for the next key
    EXPECT_EQ(focused(), find(at("updBMSetup", 5)));
    EXPECT_EQ(context.CurrentData.ParamValue[5], 16);
    EXPECT_EQ(writes(), word(1032, 13) + word(1032, 13) + word(1038, 16));

    // Accelerators and Tab move the focus, toggle the box and press buttons.
    int i = 0;
    for (const Qt::Key key :
         {Qt::Key_D, Qt::Key_M, Qt::Key_O, Qt::Key_A, Qt::Key_X, Qt::Key_I, Qt::Key_L, Qt::Key_G}) {
        QTest::keyClick(window.get(), key, Qt::AltModifier);
        EXPECT_EQ(focused(), find(at(Box, i))) << i;
        QTest::keyClick(focused(), Qt::Key_Tab); // each up-down follows its box
        EXPECT_EQ(focused(), find(at("updBMSetup", i++))) << i;
    }
    EXPECT_EQ(focused()->accessibleName(), QStringLiteral("High Speed (SPM):"));
    pressKeys(Qt::Key_N);
    EXPECT_FALSE(check()->isChecked());
    int pressed = 0;
    QObject::connect(find<QPushButton>(QStringLiteral("cmdHomeCupfeed")), &QPushButton::clicked,
                     [&pressed] { ++pressed; });
    pressKeys(Qt::Key_P);
    EXPECT_EQ(pressed, 1);
}

} // namespace
