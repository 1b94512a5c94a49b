// VORNA7: the main window over the link to the target board.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>
#include <iostream>

#include "AppContext.h"
#include "AppLayout.h"
#include "DataTransferMenu.h"
#include "HelpViewer.h"
#include "HistoryLog.h"
#include "InfoOptions.h"
#include "MachineWindowSet.h"
#include "MainWindowCommands.h"
#include "MessageBoxPrompter.h"
#include "ProgramFileCommand.h"
#include "QtFileDialogs.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "ReportMenu.h"
#include "SteadyClock.h"
#include "frmAbout.h"
#include "frmHistory.h"
#include "frmMDIMain.h"
#include "frmSetupComm.h"

namespace {

QIcon programIcon() {
    QIcon icon;
    for (const char* size : {"16x16", "32x32", "48x48", "256x256"})
        icon.addFile(QStringLiteral(":/icons/%1/vorna7.png").arg(QLatin1String(size)));
    return icon;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const auto status = InfoOptions::answer(argc, argv, std::cout))
        return *status;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VORNA7"));
    // Ties the windows to the menu entry the package installs, and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vorna7.VORNA7"));
    QApplication::setWindowIcon(programIcon());
    const AppLayout layout = AppLayout::forProgramFolder(QCoreApplication::applicationDirPath());
    const QString folder = layout.applicationFolder();

    MessageBoxPrompter prompter;
    // Without its settings folder the program still runs on the default port settings; the
    // Comm Port dialog then reports the failed save itself.
    if (const QString error = layout.prepare(); !error.isEmpty())
        prompter.ask(QStringLiteral("VORNA7"), error, Prompter::Icon::Exclamation,
                     Prompter::Buttons::OK);
    AppContext context(layout.setupFilesFolder(), prompter);
    context.SettingsFile = QDir(folder).filePath(QStringLiteral("vorna7.ini"));
    HistoryLog history(QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                           .filePath(QStringLiteral("history")));
    context.History = &history;
    SteadyClock clock;
    QtSerialPort CommControl(folder);
    RSComm TargetComm(folder, clock, prompter);
    TargetComm.setShippedFolder(layout.shippedFolder());
    QtFileDialogs fileDialogs;
    MachineWindowSet machineWindows(context);
    machineWindows.setShiftHistory([&](QWidget* parent) {
        // Beside the main window, so switching machine windows does not close it.
        frmHistory::showModeless(history, HistoryRecord::Kind::Shifts, fileDialogs, prompter,
                                 parent->window());
    });

    // The dialogs and windows of other parts plug in here as they arrive; a command left
    // empty keeps its menu item disabled.
    MainWindowCommands commands;
    commands.commPort = [&](frmMDIMain& main) {
        frmSetupComm::showModal(TargetComm, CommControl, prompter, &main);
    };
    commands.helpTopics = [&](frmMDIMain& main) {
        HelpViewer::openContents(layout.shippedFolder(), &main);
    };
    commands.about = [&](frmMDIMain& main) { frmAbout::showModeless(layout, &main); };
    ProgramFileCommand programFiles(TargetComm, prompter, fileDialogs);
    commands.downloadProgram = [&](frmMDIMain& main) { programFiles.SelectProgramFile(main, 0); };
    commands.uploadProgram = [&](frmMDIMain& main) { programFiles.UploadProgram(main); };
    commands.targetBoardInterface = [&](frmMDIMain& main) {
        programFiles.SelectProgramFile(main, 2);
    };
    commands.alarmHistory = [&](frmMDIMain& main) {
        frmHistory::showModeless(history, HistoryRecord::Kind::Alarms, fileDialogs, prompter,
                                 &main);
    };
    DataTransferMenu::addTo(commands);
    ReportMenu::addTo(commands);

    frmMDIMain mainWindow(context, TargetComm, CommControl, machineWindows, fileDialogs,
                          std::move(commands));
    mainWindow.show();
    return QApplication::exec();
}
