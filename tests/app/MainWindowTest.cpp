#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "MainWindowFixture.h"
#include "SdtFile.h"

namespace {

// ---- Start-up --------------------------------------------------------------------------------

TEST_F(MainWindowFixture, StartsOfflineWithDefaultDataAndTheMainDisplay) {
    start();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VORNA7 - [unnamed]"));
    EXPECT_EQ(panel(1), QStringLiteral("System Message:"));
    EXPECT_EQ(panel(2), QStringLiteral("OFFLINE"));
    EXPECT_EQ(panel(3), QStringLiteral("3/14/24"));
    EXPECT_EQ(panel(4), QStringLiteral("2:05 PM"));
    EXPECT_TRUE(menuItem("mnuViewOffline")->isChecked());
    EXPECT_FALSE(menuItem("mnuViewOnline")->isChecked());
    EXPECT_TRUE(menuItem("mnuBMForm(0)")->isChecked());
    EXPECT_EQ(windows->events, QStringList{QStringLiteral("load 0")});
    EXPECT_EQ(context.TargetComm, &link);
    EXPECT_EQ(context.CommControl, &port);
    EXPECT_EQ(context.SavedData, context.DefaultData);
    EXPECT_EQ(context.gFileNamePath, folder.filePath(QStringLiteral("*.sdt")));

    const QTimer* timer = window->findChild<QTimer*>(QStringLiteral("tmrBackgroungUpdate"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 500);
    EXPECT_TRUE(timer->isActive());
    window->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  Program is Currently OFFLINE"));

    // Nothing changed and never online: closing asks nothing and opens nothing.
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(port.openCount(), 0);
}

// ---- Menus -----------------------------------------------------------------------------------

// The menus as the operator sees them: caption, shortcut, "-" when disabled, "|" a separator.
// Commands of later parts are present but disabled until main hands them in.
TEST_F(MainWindowFixture, MenusShowTheirCaptionsShortcutsAndStates) {
    start();
    QStringList shown;
    for (QAction* menu : window->menuBar()->actions()) {
        QStringList items{menu->text() + QLatin1Char(':')};
        for (QAction* item : menu->menu()->actions()) {
            if (!item->isVisible())
                continue;
            const QString key = item->shortcut().toString();
            items << (item->isSeparator() ? QStringLiteral("|")
                                          : (item->isEnabled() ? QString() : QStringLiteral("-")) +
                                                item->text() + (key.isEmpty() ? "" : "=" + key));
        }
        shown << items.join(QLatin1Char(' '));
    }
    EXPECT_EQ(
        shown.join(QLatin1Char('\n')).toStdString(),
        QStringList(
            {"&File: &New...=Ctrl+N &Open...=Ctrl+O &Save=Ctrl+S Save &As... | Export "
             "Shift Data...=Ctrl+X | -&Upload (save) Data -Download &Program -Up&load "
             "Program -&Download Data | -&Print Report...=Ctrl+P | E&xit",
             "&Edit: Enable &Offline Editing=F2 | -Co&mm Port=Ctrl+M",
             "&View: -&Target Board Interface &Link Monitor | O&nline Data=F3 O&ffline Data=F4",
             "&Window: &1 Main Display -&2 Set-up Parameters -&3 Machine Timing -&4 "
             "Shift Data -&5 I/O States",
             "&Help: -&Help Topics=Ctrl+H | -&About VORNA7"})
            .join(QLatin1Char('\n'))
            .toStdString());
}

TEST_F(MainWindowFixture, EachCommandHandedInEnablesItsItemAndRunsOnTheWindow) {
    using Command = MainWindowCommands::Command MainWindowCommands::*;
    const std::pair<const char*, Command> cases[] = {
        {"mnuEditCommPort", &MainWindowCommands::commPort},
        {"mnuHelpHelpTopics", &MainWindowCommands::helpTopics},
        {"mnuHelpAbout", &MainWindowCommands::about},
        {"mnuFileUpload", &MainWindowCommands::upload},
        {"mnuFileDownload", &MainWindowCommands::download},
        {"mnuFileDownloadProgram", &MainWindowCommands::downloadProgram},
        {"mnuFilePrint", &MainWindowCommands::printReport},
        {"mnuViewTargetBoardStatus", &MainWindowCommands::targetBoardInterface},
    };
    for (const auto& [name, member] : cases) {
        SCOPED_TRACE(name);
        std::vector<frmMDIMain*> calls;
        MainWindowCommands commands;
        commands.*member = [&calls](frmMDIMain& main) { calls.push_back(&main); };
        start({0}, commands);
        trigger(name);
        EXPECT_EQ(calls, std::vector<frmMDIMain*>{window.get()});
        for (const auto& [other, unused] : cases)
            EXPECT_EQ(menuItem(other)->isEnabled(), other == name) << other;
        window.reset();
        settle();
    }
}

// Each file command asks for its own file; the title follows the data in memory.
TEST_F(MainWindowFixture, FileItemsRunTheirCommandsAndTheTitleFollows) {
    start();
    SetupData other = context.DefaultData;
    other.Version = QStringLiteral("VORNA7_R0.9.1");
    const QString oldPath = folder.filePath(QStringLiteral("OLD.sdt"));
    ASSERT_TRUE(SdtFile::write(oldPath, other).isEmpty());
    dialogs.choose(oldPath);
    prompter.answerNext(Prompter::Yes); // the version question
    trigger("mnuFileOpen");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VORNA7 - [OLD.sdt]"));
    trigger("mnuFileSave"); // to the file it came from, without a dialog
    EXPECT_EQ(SdtFile::read(oldPath).data->Version, context.ProgramVersion);
    dialogs.choose(folder.filePath(QStringLiteral("shift.txt")));
    trigger("mnuFileExport");
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("shift.txt"))));
    dialogs.choose(folder.filePath(QStringLiteral("copy.sdt")));
    trigger("mnuFileSaveAs");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VORNA7 - [copy.sdt]"));
    trigger("mnuFileNew");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VORNA7 - [unnamed]"));
    QStringList filters;
    for (const ScriptedDialogs::Request& r : dialogs.requests())
        filters << QString::number(r.save) + r.filter.left(4);
    EXPECT_EQ(filters, QStringList({"0Setu", "1Text", "1Setu"}));
    EXPECT_EQ(prompter.count(), 1);
}

TEST_F(MainWindowFixture, OfflineEditingFollowsItsCheckMark) {
    start();
    QAction* item = menuItem("mnuEditOfflineEditing");
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(context.OfflineEditing);
    item->trigger();
    EXPECT_FALSE(context.OfflineEditing);
}

// ---- Online and offline ----------------------------------------------------------------------

TEST_F(MainWindowFixture, ViewMenuOpensAndClosesTheLinkAndTicksPollTheAlarms) {
    start();
    trigger("mnuViewOnline");
    EXPECT_TRUE(link.OnlineMode && port.isOpen());
    EXPECT_EQ(panel(2), QStringLiteral("ONLINE"));
    EXPECT_TRUE(menuItem("mnuViewOnline")->isChecked());
    EXPECT_FALSE(menuItem("mnuViewOffline")->isChecked());
    window->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  All Faults Normal"));

    trigger("mnuViewOffline");
    EXPECT_FALSE(link.OnlineMode || port.isOpen());
    EXPECT_EQ(panel(2), QStringLiteral("OFFLINE"));
    EXPECT_FALSE(menuItem("mnuViewOnline")->isChecked());
    EXPECT_TRUE(menuItem("mnuViewOffline")->isChecked());
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(MainWindowFixture, OnlyTheModePanelTogglesTheModeOnADoubleClick) {
    start();
    window->show();
    for (const char* key : {"STATUS", "DATE", "TIME"}) {
        doubleClick(key);
        EXPECT_EQ(port.openCount(), 0) << key;
        EXPECT_FALSE(link.OnlineMode) << key;
    }
    doubleClick("MODE");
    EXPECT_EQ(panel(2), QStringLiteral("ONLINE"));
    EXPECT_TRUE(link.OnlineMode);
    doubleClick("MODE");
    EXPECT_EQ(panel(2), QStringLiteral("OFFLINE"));
    EXPECT_FALSE(link.OnlineMode || port.isOpen());
}

// The link shows its own message; the program stays offline and the status says why.
TEST_F(MainWindowFixture, GoingOnlineThatFailsLeavesTheProgramOffline) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"port refused", [this] { port.refuseOpen(); }},
        {"silent board",
         [this] { board.faults().set(sim::Fault::Silence, sim::FaultPlan::always()); }},
    };
    for (const auto& [name, spoil] : cases) {
        SCOPED_TRACE(name);
        start();
        prompter.clear();
        spoil();
        trigger("mnuViewOnline");
        EXPECT_EQ(prompter.count(), 1);
        EXPECT_FALSE(link.OnlineMode);
        EXPECT_TRUE(link.CommError);
        EXPECT_EQ(panel(2), QStringLiteral("OFFLINE"));
        EXPECT_TRUE(menuItem("mnuViewOffline")->isChecked());
        EXPECT_FALSE(menuItem("mnuViewOnline")->isChecked());
        window->tmrBackgroungUpdate_Timer();
        EXPECT_EQ(panel(1), QStringLiteral("System Message:  Comm Fault with K6674"));
        window.reset();
        settle();
        port.allowOpen();
        board.faults().clear();
    }
    // Once the port opens the fault clears and the status says so on the next tick.
    start();
    trigger("mnuViewOnline");
    trigger("mnuViewOffline");
    window->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  Program is Currently OFFLINE"));
}

TEST_F(MainWindowFixture, ALinkFailureDuringAPollChangesNothingUntilTheModeDrops) {
    start();
    trigger("mnuViewOnline");
    window->tmrBackgroungUpdate_Timer();
    const QString status = panel(1);
    const QString message = context.SystemMessage;
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    window->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_TRUE(link.CommError);
    EXPECT_EQ(panel(1), status);
    EXPECT_EQ(context.SystemMessage, message);
}

TEST_F(MainWindowFixture, SetOnlineModeFromAMachineWindowUsesTheLinkState) {
    start();
    link.OnlineMode = true;
    windows->lastSetOnlineMode();
    EXPECT_EQ(panel(2), QStringLiteral("ONLINE"));
    link.OnlineMode = false;
    windows->lastSetOnlineMode();
    EXPECT_EQ(panel(2), QStringLiteral("OFFLINE"));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(MainWindowFixture, AfterTheCommPortCommandTheModeShownIsTheLinksOwn) {
    MainWindowCommands commands;
    // As the dialog does when the link does not come back with the new settings.
    commands.commPort = [this](frmMDIMain&) {
        link.CloseRSComm();
        link.OnlineMode = false;
    };
    start({0}, commands);
    trigger("mnuViewOnline");
    trigger("mnuEditCommPort");
    EXPECT_EQ(panel(2), QStringLiteral("OFFLINE"));
    EXPECT_TRUE(menuItem("mnuViewOffline")->isChecked());
}

// ---- Machine windows -------------------------------------------------------------------------

TEST_F(MainWindowFixture, ChoosingAnotherWindowClosesTheShownOneFirst) {
    start({0, 1, 2});
    trigger("mnuBMForm(1)");
    settle();
    EXPECT_EQ(windows->events, QStringList({"load 0", "close 0", "load 1", "gone 0"}));
    EXPECT_EQ(window->currentMachineWindowIndex(), 1);
    EXPECT_FALSE(menuItem("mnuBMForm(0)")->isChecked());
    EXPECT_TRUE(menuItem("mnuBMForm(1)")->isChecked());
    EXPECT_EQ(window->findChild<QMdiArea*>()->subWindowList().size(), 1);

    trigger("mnuBMForm(1)");
    settle();
    EXPECT_EQ(windows->events.size(), 4);
    EXPECT_TRUE(menuItem("mnuBMForm(1)")->isChecked());

    trigger("mnuBMForm(0)");
    settle();
    EXPECT_EQ(windows->events.mid(4), QStringList({"close 1", "load 0", "gone 1"}));
    EXPECT_TRUE(menuItem("mnuBMForm(0)")->isChecked());
    EXPECT_FALSE(menuItem("mnuBMForm(1)")->isChecked());
}

TEST_F(MainWindowFixture, TheMachineWindowCannotBeClosedByItself) {
    start();
    QMdiSubWindow* sub = window->findChild<QMdiArea*>()->subWindowList().value(0);
    ASSERT_NE(sub, nullptr);
    EXPECT_FALSE(sub->close());
    settle();
    EXPECT_NE(window->currentMachineWindow(), nullptr);
    EXPECT_EQ(windows->events, QStringList{QStringLiteral("load 0")});
}

// ---- Shutdown --------------------------------------------------------------------------------

// Exit runs the same shutdown as the close box. Every answer to the save question is checked
// with the file commands; here: Cancel keeps the program running, otherwise it shuts down.
TEST_F(MainWindowFixture, ShutdownAsksToSaveThenClosesTheLinkAndTheMachineWindow) {
    const struct {
        const char* name;
        bool byExit;
        int answer;
    } cases[] = {{"close box, Cancel", false, Prompter::Cancel},
                 {"Exit, Cancel", true, Prompter::Cancel},
                 {"Exit, No", true, Prompter::No},
                 {"close box, Yes", false, Prompter::Yes}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        window->show();
        trigger("mnuViewOnline");
        context.CurrentData.ParamValue[1] = 360;
        prompter.clear();
        prompter.answerNext(c.answer);
        dialogs.choose(folder.filePath(QStringLiteral("LINE1.sdt")));
        if (c.byExit)
            trigger("mnuFileExit");
        else
            window->close();
        settle();
        ASSERT_EQ(prompter.count(), 1);
        const bool down = c.answer != Prompter::Cancel;
        EXPECT_EQ(window->isVisible(), !down);
        EXPECT_EQ(link.OnlineMode, !down);
        EXPECT_EQ(port.isOpen(), !down);
        EXPECT_EQ(window->currentMachineWindow() == nullptr, down);
        EXPECT_EQ(windows->events.contains(QStringLiteral("gone 0")), down);
        EXPECT_EQ(window->backgroundUpdateEnabled(), !down);
        EXPECT_EQ(context.CurrentData.ParamValue[1], 360);
        EXPECT_EQ(window->windowTitle(), c.answer == Prompter::Yes
                                             ? QStringLiteral("VORNA7 - [LINE1.sdt]")
                                             : QStringLiteral("VORNA7 - [unnamed]"));
        context.CurrentData = context.SavedData;
        window.reset();
        settle();
        link.CloseRSComm();
        link.OnlineMode = false;
    }
}

} // namespace
