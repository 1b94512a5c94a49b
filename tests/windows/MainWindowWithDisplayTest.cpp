#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "AppContext.h"
#include "Board.h"
#include "BoardSerialPort.h"
#include "FileDialogs.h"
#include "MachineWindowSet.h"
#include "MainStatusBar.h"
#include "RSComm.h"
#include "ScriptedPrompter.h"
#include "VirtualClock.h"
#include "frmMDIMain.h"

namespace {

class NoFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFile(const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const QString&) override { return {}; }
};

// The program as main builds it, on an in-process board.
class MainWindowWithDisplay : public ::testing::Test {
protected:
    MainWindowWithDisplay() {
        main = std::make_unique<frmMDIMain>(context, link, port, machineWindows, dialogs);
        main->show();
    }
    ~MainWindowWithDisplay() override {
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Lets the event loop turn until `done` holds: online steps follow each other at once,
    // offline passes are paced, so it waits a little when quick turns are not enough.
    bool turnUntil(const std::function<bool()>& done, int turns = 200) {
        for (int turn = 0; turn < turns && !done(); ++turn) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        return done() || QTest::qWaitFor(done, 2000);
    }
    QString label(const char* name) const {
        return main->findChild<QLabel*>(QLatin1String(name))->text();
    }
    QString panel(int number) const { return main->statusPanels()->panelText(number); }

    QTemporaryDir folder;
    VirtualClock clock;
    ScriptedPrompter prompter;
    sim::Board board;
    BoardSerialPort port{board, clock};
    RSComm link{folder.path(), clock, prompter};
    AppContext context{folder.path(), prompter};
    MachineWindowSet machineWindows{context};
    NoFileDialogs dialogs;
    std::unique_ptr<frmMDIMain> main;
};

TEST_F(MainWindowWithDisplay, TheMainDisplayOpensAtStartUpAndEachMenuItemLoadsItsWindow) {
    ASSERT_NE(main->currentMachineWindow(), nullptr);
    EXPECT_EQ(main->currentMachineWindow()->objectName(), QStringLiteral("frmBMMain"));
    EXPECT_EQ(label("lblDisplay(0)"), QStringLiteral("-"));
    const char* windows[] = {"frmBMMain", "frmBMSetup", "frmBMTmg", "frmBMData", "frmBMIO"};
    for (int i : {1, 2, 3, 4, 0}) {
        main->findChild<QAction*>(QStringLiteral("mnuBMForm(%1)").arg(i))->trigger();
        ASSERT_NE(main->currentMachineWindow(), nullptr);
        EXPECT_EQ(main->currentMachineWindow()->objectName(), QLatin1String(windows[i]));
    }
}

TEST_F(MainWindowWithDisplay, OnlineTheDisplayFollowsTheBoardAndTheAlarmPoll) {
    board.machine().setSpeed(42);
    board.memory().setWord(180, 300);
    main->findChild<QAction*>(QStringLiteral("mnuViewOnline"))->trigger();
    ASSERT_EQ(panel(2), QStringLiteral("ONLINE"));
    EXPECT_TRUE(turnUntil([&] { return label("lblDisplay(1)") == QStringLiteral("300"); }));
    EXPECT_EQ(label("lblDisplay(0)"), QStringLiteral("42"));

    board.memory().setByte(101, 1 << 7);
    for (int tick = 0; tick < 5; ++tick)
        main->tmrBackgroungUpdate_Timer();
    const auto* messages = main->findChild<QPlainTextEdit*>(QStringLiteral("txtMessageDisplay"));
    EXPECT_TRUE(turnUntil([&] {
        return messages->toPlainText() == QStringLiteral("** System ALARM **\nNo Servo Fault\n\n");
    }));
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  Faults Active in PLC"));
}

TEST_F(MainWindowWithDisplay, ALinkFailureTakesTheWholeProgramOffline) {
    main->findChild<QAction*>(QStringLiteral("mnuViewOnline"))->trigger();
    ASSERT_TRUE(turnUntil([&] { return label("lblDisplay(0)") != QStringLiteral("0"); }));
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    EXPECT_TRUE(turnUntil([&] { return panel(2) == QStringLiteral("OFFLINE"); }));
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_TRUE(turnUntil([&] { return label("lblDisplay(0)") == QStringLiteral("-"); }));
    EXPECT_EQ(label("lblDisplay(1)"), QStringLiteral("-"));
    EXPECT_TRUE(main->findChild<QAction*>(QStringLiteral("mnuViewOffline"))->isChecked());

    main->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  Comm Fault with K6674"));
    const auto* messages = main->findChild<QPlainTextEdit*>(QStringLiteral("txtMessageDisplay"));
    EXPECT_TRUE(turnUntil([&] {
        return messages->toPlainText() == QStringLiteral("Set-up Program is Currently OFFLINE");
    }));
    EXPECT_EQ(prompter.count(), 1);
}

TEST_F(MainWindowWithDisplay, ShutdownStopsTheDisplaysCycle) {
    main->findChild<QAction*>(QStringLiteral("mnuViewOnline"))->trigger();
    ASSERT_TRUE(turnUntil([&] { return label("lblDisplay(0)") != QStringLiteral("0"); }));
    EXPECT_TRUE(main->close());
    port.clearWire();
    for (int turn = 0; turn < 20; ++turn)
        QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->currentMachineWindow(), nullptr);
    EXPECT_TRUE(port.wire().empty());
    EXPECT_FALSE(port.isOpen());
}

} // namespace
