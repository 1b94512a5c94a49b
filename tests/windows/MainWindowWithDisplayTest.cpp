#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "AppContext.h"
#include "BoardRig.h"
#include "FileDialogs.h"
#include "MachineWindowSet.h"
#include "MainStatusBar.h"
#include "QStringPrinter.h"
#include "frmMDIMain.h"

namespace {

class NoFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFile(const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const QString&) override { return {}; }
};

// The program as main builds it, on an in-process board.
class MainWindowWithDisplay : public BoardRigTest {
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
    QAction* item(const QString& name) const { return main->findChild<QAction*>(name); }
    QString messages() const {
        return main->findChild<QPlainTextEdit*>(QStringLiteral("txtMessageDisplay"))->toPlainText();
    }

    AppContext context{folder.path(), prompter};
    MachineWindowSet machineWindows{context};
    NoFileDialogs dialogs;
    std::unique_ptr<frmMDIMain> main;
};

TEST_F(MainWindowWithDisplay, TheMainDisplayOpensAtStartUpAndOnlyItIsAvailable) {
    ASSERT_NE(main->currentMachineWindow(), nullptr);
    EXPECT_EQ(main->currentMachineWindow()->objectName(), QStringLiteral("frmBMMain"));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(item(QStringLiteral("mnuBMForm(%1)").arg(i))->isEnabled(), i == 0) << i;
    EXPECT_EQ(label("lblDisplay(0)"), QStringLiteral("-"));
}

TEST_F(MainWindowWithDisplay, ALinkFailureTakesTheWholeProgramOffline) {
    item(QStringLiteral("mnuViewOnline"))->trigger();
    ASSERT_TRUE(turnUntil([&] { return label("lblDisplay(0)") != QStringLiteral("0"); }));
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    EXPECT_TRUE(turnUntil([&] { return panel(2) == QStringLiteral("OFFLINE"); }));
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_TRUE(turnUntil([&] { return label("lblDisplay(0)") == QStringLiteral("-"); }));
    EXPECT_EQ(label("lblDisplay(1)"), QStringLiteral("-"));
    EXPECT_TRUE(item(QStringLiteral("mnuViewOffline"))->isChecked());

    main->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  Comm Fault with K6674"));
    EXPECT_TRUE(turnUntil(
        [&] { return messages() == QStringLiteral("Set-up Program is Currently OFFLINE"); }));
    EXPECT_EQ(prompter.count(), 1);
}

} // namespace
