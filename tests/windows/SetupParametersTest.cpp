#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include "MachineWindowRig.h"
#include "UpDown.h"
#include "frmBMSetup.h"

namespace {

using Rig = MachineWindowRig<frmBMSetup>;
const char* const Box = "txtBMSetup";
const int Address[] = {1022, 1024, 1030, 1032, 1036, 1038, 1026, 1028};

class SetupParameters : public Rig {
protected:
    void loadOnline(std::uint8_t brakeWear = 1) {
        goOnline();
        board.machine().setSpeed(0);
        board.memory().setByte(1020, brakeWear);
        for (int i = 0; i < 8; ++i)
            board.memory().setWord(static_cast<std::uint16_t>(Address[i]), 10 + i);
        load();
        runPasses(1);
        port.clearWire();
    }
    QCheckBox* check() const { return find<QCheckBox>(QStringLiteral("chkBMSetup")); }
};

TEST_F(SetupParameters, OfflineItShowsCurrentDataAndOfflineEditingEnablesTheEntries) {
    context.CurrentData.ParamValue[1] = 321;
    context.CurrentData.ParamValue[8] = 0;
    load();
    runPasses(1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("BM Set-Up Parameters"));
    EXPECT_EQ(text(at(Box, 1)), QStringLiteral("321"));
    EXPECT_FALSE(check()->isChecked());
    for (const QString& name : {at(Box, 1), at("lblBMSetup", 7), QStringLiteral("chkBMSetup")})
        EXPECT_FALSE(enabled(name)) << name.toStdString();
    context.OfflineEditing = true;
    runPasses(2); // the first notices the change, the second applies the layout
    EXPECT_TRUE(enabled(at(Box, 1)));
    EXPECT_FALSE(enabled(at(Box, 0))); // gated by the clear check box
    EXPECT_FALSE(enabled(QStringLiteral("cmdMachineZero")));
    EXPECT_EQ(text(at(Box, 1)), QStringLiteral("321"));
    type(at(Box, 2), QStringLiteral("42"));
    check()->click();
    EXPECT_EQ(context.CurrentData.ParamValue[2], 42);
    EXPECT_EQ(context.CurrentData.ParamValue[8], 1);
    EXPECT_TRUE(enabled(at(Box, 0)));
    EXPECT_TRUE(port.wire().empty());
}

TEST_F(SetupParameters, OnlineTheFirstPassFillsTheWindowWithoutWritingTheCheckBoxBack) {
    loadOnline(0);
    EXPECT_EQ(text(at(Box, 7)), QStringLiteral("17"));
    EXPECT_FALSE(check()->isChecked());
    EXPECT_FALSE(enabled(at(Box, 0)));
    EXPECT_EQ(context.CurrentData.ParamValue[8], 1); // not copied from the board
    check()->click();
    EXPECT_EQ(writes(), "1020=1");
    EXPECT_EQ(context.CurrentData.ParamValue[8], 1);
    EXPECT_TRUE(enabled(at(Box, 0)));
}

TEST_F(SetupParameters, TheAdjustmentButtonsFollowTheStopAndStartEdges) {
    loadOnline();
    const struct {
        std::uint16_t speed;
        bool enabled;
    } passes[] = {{0, true}, {120, false}, {0, true}, {5, false}};
    for (const auto& pass : passes) {
        board.machine().setSpeed(pass.speed);
        runPasses(1);
        for (const char* name : {"cmdMachineZero", "cmdHomeCupfeed", "fraBMSetup(4)"})
            EXPECT_EQ(enabled(QLatin1String(name)), pass.enabled) << name << " " << pass.speed;
    }
}

struct EntryCase {
    const char* name;
    int index;
    const char* typed;
    const char* shown;
    std::int32_t stored;
    int writtenValue; // -1: nothing written
};

class SetupEntries : public SetupParameters, public ::testing::WithParamInterface<EntryCase> {};

// Accepted entries are written twice: when validation accepts them and when the focus has left.
TEST_P(SetupEntries, AcceptedOrRejected) {
    const EntryCase& c = GetParam();
    loadOnline();
    const std::int32_t before = context.CurrentData.ParamValue[c.index];
    type(at(Box, c.index), QLatin1String(c.typed));
    EXPECT_EQ(text(at(Box, c.index)), QLatin1String(c.shown));
    EXPECT_EQ(context.CurrentData.ParamValue[c.index], c.writtenValue < 0 ? before : c.stored);
    if (c.writtenValue < 0) {
        ASSERT_EQ(prompter.count(), 1);
        EXPECT_EQ(prompter.last().title, QStringLiteral("Set-up"));
        EXPECT_EQ(prompter.last().icon, Prompter::Icon::Information);
        EXPECT_EQ(focused(), find(at(Box, c.index)));
        EXPECT_EQ(writes(), "");
    } else {
        EXPECT_EQ(prompter.count(), 0);
        EXPECT_EQ(writes(), word(Address[c.index], c.writtenValue, 2));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SetupEntries,
                         ::testing::Values(EntryCase{"Accepted", 1, "360", "360", 360, 360},
                                           EntryCase{"Highest", 6, "899", "899", 899, 899},
                                           EntryCase{"AboveRange", 0, "360", "10", 0, -1},
                                           EntryCase{"NotANumber", 2, "1x", "12", 0, -1},
                                           EntryCase{"Negative", 4, "-1", "14", 0, -1},
                                           EntryCase{"FractionShownAndSentWhole", 2, "12.5", "12",
                                                     12, 12},
                                           EntryCase{"FractionRoundsUp", 3, "7.6", "8", 8, 8}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupParameters, RejectionMessageNamesTheRange) {
    loadOnline();
    type(at(Box, 6), QStringLiteral("900"));
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("Only a Number Between 0 and 899 can be Entered"));
}

TEST_F(SetupParameters, TheRefreshLeavesTheEditedEntryAloneUntilItIsLeft) {
    loadOnline();
    auto* box = find<QLineEdit>(at(Box, 3));
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(box, QStringLiteral("55"));
    board.memory().setWord(1030, 77);
    board.memory().setWord(1032, 88);
    runPasses(1);
    EXPECT_EQ(text(at(Box, 2)), QStringLiteral("77"));
    EXPECT_EQ(box->text(), QStringLiteral("55"));
    QTest::keyClick(box, Qt::Key_Escape);
    QTest::keyClick(box, Qt::Key_Escape); // abandoned: the old value is stored and written back
    EXPECT_EQ(focused(), find(QStringLiteral("cmdDefault")));
    EXPECT_EQ(writes(), word(1032, 13, 2));
    board.memory().setWord(1032, 88);
    runPasses(1);
    EXPECT_EQ(box->text(), QStringLiteral("88"));
}

TEST_F(SetupParameters, TheUpDownStoresAndWritesTheNewNumber) {
    loadOnline();
    find<UpDown>(at("updBMSetup", 5))->stepBy(1);
    EXPECT_EQ(text(at(Box, 5)), QStringLiteral("16"));
    EXPECT_EQ(context.CurrentData.ParamValue[5], 16);
    EXPECT_EQ(writes(), word(1038, 16));
}

TEST_F(SetupParameters, AcceleratorsMoveTheFocusToggleTheBoxAndPressButtons) {
    loadOnline();
    const std::pair<Qt::Key, QString> labels[] = {{Qt::Key_D, at(Box, 0)}, {Qt::Key_M, at(Box, 1)},
                                                  {Qt::Key_O, at(Box, 2)}, {Qt::Key_A, at(Box, 3)},
                                                  {Qt::Key_X, at(Box, 4)}, {Qt::Key_I, at(Box, 5)},
                                                  {Qt::Key_L, at(Box, 6)}, {Qt::Key_G, at(Box, 7)}};
    for (const auto& [key, box] : labels) {
        QTest::keyClick(window.get(), key, Qt::AltModifier);
        EXPECT_EQ(focused(), find(box)) << box.toStdString();
    }
    const bool checked = check()->isChecked();
    QTest::keyClick(window.get(), Qt::Key_N, Qt::AltModifier);
    QTest::qWait(150); // a mnemonic clicks after its short press animation
    EXPECT_NE(check()->isChecked(), checked);
    int pressed = 0;
    QObject::connect(find<QPushButton>(QStringLiteral("cmdHomeCupfeed")), &QPushButton::clicked,
                     [&pressed] { ++pressed; });
    QTest::keyClick(window.get(), Qt::Key_P, Qt::AltModifier);
    QTest::qWait(150);
    EXPECT_EQ(pressed, 1);
}

TEST_F(SetupParameters, ComingBackFromAnotherChildWindowAppliesTheLayoutAgain) {
    goOnline();
    QMdiArea area;
    auto* own = area.addSubWindow(new frmBMSetup(context, [] {}));
    auto* other = area.addSubWindow(new QWidget);
    area.show();
    own->show();
    area.setActiveSubWindow(own);
    auto* setup = own->findChild<frmBMSetup*>();
    for (int step = 0; step < 40; ++step)
        setup->runCycleStep();
    auto* box = setup->findChild<QLineEdit*>(at(Box, 1));
    ASSERT_NE(box->text(), QStringLiteral("-"));
    area.setActiveSubWindow(other);
    EXPECT_NE(box->text(), QStringLiteral("-"));
    area.setActiveSubWindow(own);
    EXPECT_EQ(box->text(), QStringLiteral("-"));
    EXPECT_FALSE(setup->dataLoaded());
}

} // namespace
