#include <QLabel>
#include <QPlainTextEdit>

#include "../app/MainWindowFixture.h"
#include "MachineWindowSet.h"

namespace {

// The program as main builds it, on an in-process board.
class MainWindowWithDisplay : public MainWindowFixture {
protected:
    MainWindowWithDisplay() {
        startWith(machineWindows);
        window->show();
    }
    ~MainWindowWithDisplay() override { window.reset(); } // before the windows it was given
    // Lets the event loop turn until `done` holds: online steps follow each other at once,
    // offline passes are paced, so it waits a little when quick turns are not enough.
    bool turnUntil(const std::function<bool()>& done, int turns = 200) {
        for (int turn = 0; turn < turns && !done(); ++turn) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        return done() || QTest::qWaitFor(done, 2000);
    }
    QString label(const char* name) const { return child<QLabel>(window.get(), name)->text(); }
    QString messages() const {
        return child<QPlainTextEdit>(window.get(), "txtMessageDisplay")->toPlainText();
    }

    MachineWindowSet machineWindows{context};
};

TEST_F(MainWindowWithDisplay, EachMenuItemLoadsItsWindowAndALinkFailureTakesAllOffline) {
    ASSERT_NE(window->currentMachineWindow(), nullptr);
    EXPECT_EQ(window->currentMachineWindow()->objectName(), QStringLiteral("frmBMMain"));
    EXPECT_EQ(label("lblDisplay(0)"), QStringLiteral("-"));
    const char* names[] = {"frmBMMain", "frmBMSetup", "frmBMTmg", "frmBMData", "frmBMIO"};
    for (int i : {1, 2, 3, 4, 0}) {
        menuItem(qPrintable(QStringLiteral("mnuBMForm(%1)").arg(i)))->trigger();
        ASSERT_NE(window->currentMachineWindow(), nullptr);
        EXPECT_EQ(window->currentMachineWindow()->objectName(), QLatin1String(names[i]));
    }

    // A link failure in a machine window takes the whole program offline.
    trigger("mnuViewOnline");
    ASSERT_TRUE(turnUntil([&] { return label("lblDisplay(0)") != QStringLiteral("0"); }));
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    EXPECT_TRUE(turnUntil([&] { return panel(2) == QStringLiteral("OFFLINE"); }));
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_TRUE(turnUntil([&] { return label("lblDisplay(0)") == QStringLiteral("-"); }));
    EXPECT_EQ(label("lblDisplay(1)"), QStringLiteral("-"));
    expectMode(false);

    window->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  Comm Fault with K6674"));
    EXPECT_TRUE(turnUntil(
        [&] { return messages() == QStringLiteral("Set-up Program is Currently OFFLINE"); }));
    EXPECT_EQ(prompter.count(), 1);
}

} // namespace
