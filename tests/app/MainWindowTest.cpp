#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "MainWindowFixture.h"
#include "SdtFile.h"
#include "SetupTables.h"

namespace {

const QString SaveQuestion = QStringLiteral("Save Changes to File?");

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
    EXPECT_EQ(window->currentMachineWindow()->objectName(), QStringLiteral("machineWindow0"));

    EXPECT_EQ(context.TargetComm, &link);
    EXPECT_EQ(context.CommControl, &port);
    EXPECT_EQ(context.SavedData, context.DefaultData);
    EXPECT_EQ(context.gFileNamePath, folder.filePath(QStringLiteral("*.sdt")));
    EXPECT_EQ(context.AlarmAdd[0], QStringLiteral("B101"));

    const QTimer* timer = window->findChild<QTimer*>(QStringLiteral("tmrBackgroungUpdate"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 500);
    EXPECT_TRUE(timer->isActive());
    window->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  Program is Currently OFFLINE"));

    // Nothing changed and never online: closing asks nothing and sends nothing.
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(port.openCount(), 0);
    EXPECT_TRUE(wire().empty());
}

// ---- Menus -----------------------------------------------------------------------------------

struct MenuItemCase {
    const char* name;
    const char* caption;
    const char* shortcut;
    bool enabled;
};

class MainWindowMenus : public MainWindowFixture,
                        public ::testing::WithParamInterface<MenuItemCase> {};

TEST_P(MainWindowMenus, ItemHasItsCaptionShortcutAndState) {
    start();
    const MenuItemCase& c = GetParam();
    QAction* item = menuItem(c.name);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QLatin1String(c.caption));
    EXPECT_EQ(item->shortcut().toString(), QLatin1String(c.shortcut));
    EXPECT_EQ(item->isEnabled(), c.enabled);
    EXPECT_TRUE(item->isVisible());
}

// Commands of later parts are present but disabled until main hands them in.
INSTANTIATE_TEST_SUITE_P(
    AllItems, MainWindowMenus,
    ::testing::Values(MenuItemCase{"mnuFile", "&File", "", true},
                      MenuItemCase{"mnuFileNew", "&New...", "Ctrl+N", true},
                      MenuItemCase{"mnuFileOpen", "&Open...", "Ctrl+O", true},
                      MenuItemCase{"mnuFileSave", "&Save", "Ctrl+S", true},
                      MenuItemCase{"mnuFileSaveAs", "Save &As...", "", true},
                      MenuItemCase{"mnuFileExport", "Export Shift Data...", "Ctrl+X", true},
                      MenuItemCase{"mnuFileUpload", "&Upload (save) Data", "", false},
                      MenuItemCase{"mnuFileDownloadProgram", "Download &Program", "", false},
                      MenuItemCase{"mnuFileDownload", "&Download Data", "", false},
                      MenuItemCase{"mnuFilePrint", "&Print Report...", "Ctrl+P", false},
                      MenuItemCase{"mnuFileExit", "E&xit", "", true},
                      MenuItemCase{"mnuEdit", "&Edit", "", true},
                      MenuItemCase{"mnuEditOfflineEditing", "Enable &Offline Editing", "F2", true},
                      MenuItemCase{"mnuEditCommPort", "Co&mm Port", "Ctrl+M", false},
                      MenuItemCase{"mnuView", "&View", "", true},
                      MenuItemCase{"mnuViewTargetBoardStatus", "&Target Board Interface", "",
                                   false},
                      MenuItemCase{"mnuViewOnline", "O&nline Data", "F3", true},
                      MenuItemCase{"mnuViewOffline", "O&ffline Data", "F4", true},
                      MenuItemCase{"mnuBM", "&Window", "", true},
                      MenuItemCase{"mnuBMForm(0)", "&1 Main Display", "", true},
                      MenuItemCase{"mnuBMForm(1)", "&2 Set-up Parameters", "", false},
                      MenuItemCase{"mnuBMForm(2)", "&3 Machine Timing", "", false},
                      MenuItemCase{"mnuBMForm(3)", "&4 Shift Data", "", false},
                      MenuItemCase{"mnuBMForm(4)", "&5 I/O States", "", false},
                      MenuItemCase{"mnuHelp", "&Help", "", true},
                      MenuItemCase{"mnuHelpHelpTopics", "&Help Topics", "Ctrl+H", false},
                      MenuItemCase{"mnuHelpAbout", "&About VORNA7", "", false}),
    [](const ::testing::TestParamInfo<MenuItemCase>& info) {
        QString name = QLatin1String(info.param.name);
        return name.remove(QLatin1Char('(')).remove(QLatin1Char(')')).toStdString();
    });

TEST_F(MainWindowFixture, MenusRunInTheirOrderWithNamedSeparators) {
    start();
    const auto names = [this](const char* menu) {
        QStringList list;
        for (QAction* item : find<QMenu>(menu)->actions())
            list << item->objectName();
        return list.join(QLatin1Char(' '));
    };
    EXPECT_EQ(names("mnuFile"),
              "mnuFileNew mnuFileOpen mnuFileSave mnuFileSaveAs mnuFileSeparator1 mnuFileExport "
              "mnuFileSeparator2 mnuFileUpload mnuFileDownloadProgram mnuFileUploadProgram "
              "mnuFileDownload "
              "mnuFileSeparator3 mnuFilePrint mnuFilePrintSetup mnuFileSeparator4 mnuFileExit");
    EXPECT_EQ(names("mnuEdit"), "mnuEditOfflineEditing mnuSettingsSeparator1 mnuEditCommPort");
    EXPECT_EQ(names("mnuView"),
              "mnuViewTargetBoardStatus mnuViewSep1 mnuViewOnline mnuViewOffline");
    EXPECT_EQ(names("mnuBM"), "mnuBMForm(0) mnuBMForm(1) mnuBMForm(2) mnuBMForm(3) mnuBMForm(4)");
    EXPECT_EQ(names("mnuHelp"), "mnuHelpHelpTopics mnuHelpSeparator0 mnuHelpAbout");

    QAction* printSetup = menuItem("mnuFilePrintSetup");
    EXPECT_EQ(printSetup->text(), QStringLiteral("Print Set&up..."));
    EXPECT_FALSE(printSetup->isVisible());
    EXPECT_FALSE(printSetup->isEnabled());
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
        EXPECT_TRUE(menuItem(name)->isEnabled());
        trigger(name);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0], window.get());
        for (const auto& [other, unused] : cases) {
            if (other != name) {
                EXPECT_FALSE(menuItem(other)->isEnabled()) << other;
            }
        }
        window.reset();
        settle();
    }
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

TEST_F(MainWindowFixture, ViewMenuOpensAndClosesTheLink) {
    start();
    trigger("mnuViewOnline");
    EXPECT_TRUE(link.OnlineMode);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(wire(), "FF/55");
    EXPECT_EQ(panel(2), QStringLiteral("ONLINE"));
    EXPECT_TRUE(menuItem("mnuViewOnline")->isChecked());
    EXPECT_FALSE(menuItem("mnuViewOffline")->isChecked());

    trigger("mnuViewOffline");
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(wire(), "FF/55 FF/55");
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
        EXPECT_EQ(panel(2), QStringLiteral("OFFLINE")) << key;
        EXPECT_EQ(port.openCount(), 0) << key;
        EXPECT_FALSE(link.OnlineMode) << key;
    }
    doubleClick("MODE");
    EXPECT_EQ(panel(2), QStringLiteral("ONLINE"));
    EXPECT_TRUE(link.OnlineMode);
    EXPECT_TRUE(menuItem("mnuViewOnline")->isChecked());
    doubleClick("MODE");
    EXPECT_EQ(panel(2), QStringLiteral("OFFLINE"));
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(MainWindowFixture, APortThatCannotBeOpenedLeavesTheProgramOffline) {
    start();
    port.refuseOpen();
    trigger("mnuViewOnline");
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Comm Port Error"));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Critical);
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_TRUE(link.CommError);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(panel(2), QStringLiteral("OFFLINE"));
    EXPECT_TRUE(menuItem("mnuViewOffline")->isChecked());
    EXPECT_FALSE(menuItem("mnuViewOnline")->isChecked());

    window->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  Comm Fault with K6674"));
    EXPECT_EQ(context.SystemMessage, QStringLiteral("Set-up Program is Currently OFFLINE"));

    // Once the port opens the fault clears and the status says so on the next tick.
    port.allowOpen();
    trigger("mnuViewOnline");
    trigger("mnuViewOffline");
    window->tmrBackgroungUpdate_Timer();
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  Program is Currently OFFLINE"));
}

TEST_F(MainWindowFixture, ASilentBoardOnOpeningAsksRetryOrCancelAndCancelStaysOffline) {
    start();
    board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    trigger("mnuViewOnline");
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("Cannot Communicate with Target Board.\r"
                                                   "Verify RS-232 Cable is Connected Between\r"
                                                   "COMM Port and PROG Port."));
    EXPECT_FALSE(link.OnlineMode);
    EXPECT_EQ(panel(2), QStringLiteral("OFFLINE"));
}

TEST_F(MainWindowFixture, OnlineTicksPollTheAlarmsIntoTheStatusPanel) {
    start();
    trigger("mnuViewOnline");
    port.clearWire();
    window->tmrBackgroungUpdate_Timer();
    // The first tick polls "B100.4": read mode, then byte 100.
    EXPECT_EQ(wire(), "FF/55 01/55 00/00 64/01");
    EXPECT_EQ(panel(1), QStringLiteral("System Message:  All Faults Normal"));
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
    EXPECT_EQ(panel(2), QStringLiteral("ONLINE"));
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

// ---- Save questions and shutdown -------------------------------------------------------------

class MainWindowChanges : public MainWindowFixture {
protected:
    void startChanged() {
        start();
        window->show();
        trigger("mnuViewOnline");
        context.CurrentData.ParamValue[1] = 360;
        port.clearWire();
    }
    void expectStillRunning() {
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(context.CurrentData.ParamValue[1], 360);
        EXPECT_TRUE(link.OnlineMode);
        EXPECT_TRUE(port.isOpen());
        EXPECT_TRUE(wire().empty());
        EXPECT_NE(window->currentMachineWindow(), nullptr);
        EXPECT_TRUE(window->backgroundUpdateEnabled());
        EXPECT_EQ(window->windowTitle(), QStringLiteral("VORNA7 - [unnamed]"));
    }
    void expectShutDown() {
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(link.OnlineMode);
        EXPECT_FALSE(port.isOpen());
        EXPECT_EQ(wire(), "FF/55");
        settle();
        EXPECT_EQ(windows->events, QStringList({"load 0", "close 0", "gone 0"}));
        EXPECT_FALSE(window->backgroundUpdateEnabled());
    }
};

TEST_F(MainWindowChanges, ClosingAsksToSaveAndCancelKeepsEverything) {
    startChanged();
    prompter.answerNext(Prompter::Cancel);
    EXPECT_FALSE(window->close());
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, SaveQuestion);
    expectStillRunning();
}

TEST_F(MainWindowChanges, ExitRunsTheSameShutdownAsTheCloseBox) {
    startChanged();
    prompter.answerNext(Prompter::Cancel);
    trigger("mnuFileExit");
    EXPECT_EQ(prompter.count(), 1);
    expectStillRunning();

    prompter.answerNext(Prompter::No);
    trigger("mnuFileExit");
    expectShutDown();
    EXPECT_TRUE(dialogs.requests().isEmpty());
}

TEST_F(MainWindowChanges, ASaveThatHappensWritesTheFileAndShutsDown) {
    startChanged();
    prompter.answerNext(Prompter::Yes);
    dialogs.choose(folder.filePath(QStringLiteral("LINE1.sdt")));
    EXPECT_TRUE(window->close());
    const SdtFile::Decoded saved = SdtFile::read(folder.filePath(QStringLiteral("LINE1.sdt")));
    ASSERT_TRUE(saved.data.has_value()) << saved.error.toStdString();
    EXPECT_EQ(saved.data->ParamValue[1], 360);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VORNA7 - [LINE1.sdt]"));
    expectShutDown();
}

TEST_F(MainWindowFixture, FileNewAsksFirstAndEachAnswerEndsAsItShould) {
    struct Case {
        const char* name;
        int answer;
        bool dialogChoosesFile;
        bool dataReset;
    } cases[] = {
        {"Cancel keeps the data", Prompter::Cancel, false, false},
        {"No drops the changes", Prompter::No, false, true},
        {"Yes saves, then starts afresh", Prompter::Yes, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        context.CurrentData.ChanSetpoint[2][1] = 99;
        prompter.answerNext(c.answer);
        const QString path = folder.filePath(QStringLiteral("new.sdt"));
        if (c.dialogChoosesFile)
            dialogs.choose(path);
        trigger("mnuFileNew");
        EXPECT_EQ(prompter.last().text, SaveQuestion);
        EXPECT_EQ(context.CurrentData.ChanSetpoint[2][1] == 99, !c.dataReset);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("VORNA7 - [unnamed]"));
        EXPECT_EQ(QFile::exists(path), c.dialogChoosesFile);
        QFile::remove(path);
        context.CurrentData = context.SavedData;
        window.reset();
        settle();
    }
}

TEST_F(MainWindowFixture, OpenAndSaveKeepTheTitleOnTheDataInMemory) {
    start();
    SetupData other = context.DefaultData;
    other.Version = QStringLiteral("VORNA7_R0.9.1");
    other.ParamValue[4] = 400;
    const QString otherPath = folder.filePath(QStringLiteral("OLD.sdt"));
    ASSERT_TRUE(SdtFile::write(otherPath, other).isEmpty());

    // The version question answered Yes: the file's data and name are taken over; Save then
    // writes it directly.
    dialogs.choose(otherPath);
    prompter.answerNext(Prompter::Yes);
    trigger("mnuFileOpen");
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("VORNA7 - [OLD.sdt]"));
    EXPECT_EQ(context.CurrentData.ParamValue[4], 400);
    trigger("mnuFileSave");
    EXPECT_EQ(dialogs.requests().size(), 1);
    EXPECT_EQ(SdtFile::read(otherPath).data->Version, context.ProgramVersion);
}

TEST_F(MainWindowFixture, ExportWritesTheShiftDataFileChosen) {
    start();
    context.CurrentData.ParamValue[9] = 1234;
    const QString path = folder.filePath(QStringLiteral("shift"));
    dialogs.choose(path);
    trigger("mnuFileExport");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], "untitled\r");
    EXPECT_EQ(lines[5], " 1234\r");
    EXPECT_EQ(context.gFileExportPath, path);
}

} // namespace
