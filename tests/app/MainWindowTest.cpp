#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "../program/ProgramTestFolder.h"
#include "HistoryLog.h"
#include "MainWindowFixture.h"
#include "SdtFile.h"

// ---- Start-up --------------------------------------------------------------------------------

TEST_F(MainWindowFixture, StartsOfflineWithTheMainDisplayWhichCannotBeClosedByItself) {
    start();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VORNA7 - [unnamed]"));
    EXPECT_EQ(panel(1), QStringLiteral("System Message:"));
    expectMode(false);
    EXPECT_EQ(panel(3) + ' ' + panel(4), QStringLiteral("3/14/24 2:05 PM"));
    EXPECT_TRUE(menuItem("mnuBMForm(0)")->isChecked());
    QMdiSubWindow* sub = window->findChild<QMdiArea*>()->subWindowList().value(0);
    ASSERT_NE(sub, nullptr);
    EXPECT_FALSE(sub->close()) << "the machine window cannot be closed by itself";
    settle();
    EXPECT_EQ(windows->events, QStringList{QStringLiteral("load 0")});
    EXPECT_EQ(context.TargetComm, &link);
    EXPECT_EQ(context.CommControl, &port);
    EXPECT_EQ(context.SavedData, context.DefaultData);
    EXPECT_EQ(context.gFileNamePath, folder.filePath(QStringLiteral("*.sdt")));

    const auto* timer = child<QTimer>(window.get(), QStringLiteral("tmrBackgroungUpdate"));
    EXPECT_EQ(std::pair(timer->interval(), timer->isActive()), std::pair(500, true));
    window->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  Program is Currently OFFLINE"));

    // Offline editing follows its check mark.
    QAction* item = menuItem("mnuEditOfflineEditing");
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(context.OfflineEditing);
    item->trigger();
    EXPECT_FALSE(context.OfflineEditing);

    // Nothing changed and never online: closing asks nothing and opens nothing.
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(port.openCount(), 0);
}

// ---- Menus -----------------------------------------------------------------------------------

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
        {"mnuViewAlarmHistory", &MainWindowCommands::alarmHistory},
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

// ---- Online and offline ----------------------------------------------------------------------

// The ticks' results go to the alarm history as well.
TEST_F(MainWindowFixture, ViewMenuAndModePanelOpenAndCloseTheLinkAndFailingToStaysOffline) {
    HistoryLog history(folder.filePath("history"));
    context.History = &history;
    start();
    trigger("mnuViewOnline");
    EXPECT_TRUE(link.OnlineMode && port.isOpen());
    expectMode(true);
    window->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  All Faults Normal"));

    trigger("mnuViewOffline");
    EXPECT_FALSE(link.OnlineMode || port.isOpen());
    expectMode(false);
    EXPECT_EQ(prompter.count(), 0);
    window->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(history.readDay({2024, 3, 14}).size(), 2); // online, offline

    // Only the mode panel toggles the mode on a double click.
    window->show();
    for (const char* key : {"STATUS", "DATE", "TIME"}) {
        doubleClick(key);
        EXPECT_FALSE(link.OnlineMode) << key;
    }
    doubleClick("MODE");
    EXPECT_TRUE(link.OnlineMode);
    expectMode(true);
    doubleClick("MODE");
    EXPECT_FALSE(link.OnlineMode || port.isOpen());

    // The link shows its own message and the program stays offline. Which failures the link
    // reports, and how, is the link's; here one silent board. The status tick after a failure is
    // checked with the machine windows.
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    trigger("mnuViewOnline");
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_FALSE(link.OnlineMode);
    expectMode(false);
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
    expectMode(false);
}

// ---- Machine windows -------------------------------------------------------------------------

TEST_F(MainWindowFixture, ChoosingAnotherWindowClosesTheShownOneFirstAndTheMenusWork) {
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

    // Captions come from the live menu bar, so the help cannot drift from the menus: each menu's
    // page explains every item it shows. Shortcuts are the documented ones.
    const auto plain = [](QString caption) { return caption.remove(QLatin1Char('&')); };
    QStringList keys;
    for (QAction* menu : window->menuBar()->actions()) {
        const QString page = plain(menu->text()).toLower() + QStringLiteral("-menu.html");
        const QString help = ProgramTestFolder::helpText(page);
        ASSERT_FALSE(help.isEmpty()) << page.toStdString();
        for (QAction* item : menu->menu()->actions()) {
            if (item->isSeparator() || !item->isVisible())
                continue;
            EXPECT_TRUE(help.contains(plain(item->text()))) << plain(item->text()).toStdString();
            if (!item->shortcut().isEmpty())
                keys << plain(item->text()) + '=' + item->shortcut().toString();
        }
    }
    EXPECT_EQ(keys.join(' ').toStdString(),
              "New...=Ctrl+N Open...=Ctrl+O Save=Ctrl+S Export Shift Data...=Ctrl+X Print "
              "Report...=Ctrl+P Enable Offline Editing=F2 Comm Port=Ctrl+M Online Data=F3 Offline "
              "Data=F4 Help Topics=Ctrl+H");

    // Each file command asks for its own file; the title follows the data in memory.
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
    EXPECT_EQ(dialogs.requests().size(), 3); // their filters are the file commands' own
    EXPECT_EQ(prompter.count(), 1);
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

// The C locale's short time shows seconds, so the panel must follow each second, not each
// minute.
TEST(MainStatusBar, TimePanelShowingSecondsFollowsTheNextSecond) {
    QDateTime now(QDate(2024, 3, 14), QTime(14, 5, 7, 950));
    MainStatusBar bar([&now] { return now; }, QLocale::c());
    EXPECT_EQ(bar.panelText(MainStatusBar::TimePanelNumber), QStringLiteral("14:05:07"));

    now = now.addMSecs(60);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return bar.panelText(MainStatusBar::TimePanelNumber) == QStringLiteral("14:05:08"); },
        2000));
}
