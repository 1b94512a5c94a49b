#include "ProgramFileCommand.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "FileDialogs.h"
#include "ProgramFiles.h"
#include "Prompter.h"
#include "RSComm.h"
#include "frmDownloadProg.h"
#include "frmMDIMain.h"
#include "frmTargetBoard.h"

const QString ProgramFileCommand::TekoraFilter = QStringLiteral("Tekora Files(*.tkp)|*.tkp|");

ProgramFileCommand::ProgramFileCommand(RSComm& targetComm, Prompter& prompter,
                                       FileDialogs& fileDialogs)
    : targetComm_(targetComm), prompter_(prompter), fileDialogs_(fileDialogs) {}

// Yes goes online as View > Online Data does; when the link cannot be opened (it has said
// why) the command ends rather than carrying on offline.
bool ProgramFileCommand::offerOnline(frmMDIMain& main) {
    if (targetComm_.OnlineMode)
        return true;
    const int answer =
        prompter_.ask(QStringLiteral("Program Offline"),
                      QStringLiteral("Program is Currently OFFLINE\r\n\r\n"
                                     "Do You Wish to Switch to ONLINE MODE to Continue?"),
                      Prompter::Icon::Question, Prompter::Buttons::YesNo);
    if (answer != Prompter::Yes)
        return false;
    main.setWantedMode(true);
    return targetComm_.OnlineMode;
}

bool ProgramFileCommand::choose() {
    const std::optional<QString> chosen = fileDialogs_.openFile(TekoraFilter, gProgramFilePath);
    QCoreApplication::processEvents();
    if (!chosen)
        return false;
    gProgramFilePath = *chosen;
    return true;
}

bool ProgramFileCommand::confirm(const QString& text) {
    return prompter_.ask(QStringLiteral("Program Download"), text, Prompter::Icon::Question,
                         Prompter::Buttons::YesNo) == Prompter::Yes;
}

void ProgramFileCommand::runTransfer(frmMDIMain& main, int mode) {
    main.setBackgroundUpdateEnabled(false);
    {
        frmDownloadProg progress(targetComm_, &main);
        progress.SetTransferMode(mode);
        progress.exec();
    }
    main.setBackgroundUpdateEnabled(true);
    main.SetOnlineMode();
}

void ProgramFileCommand::openTargetBoard(frmMDIMain& main) {
    frmTargetBoard window(
        targetComm_, prompter_, [&main] { main.SetOnlineMode(); }, &main);
    window.InitializeForm(gProgramFilePath);
}

void ProgramFileCommand::SelectProgramFile(frmMDIMain& main, int Mode) {
    if (Mode != DownloadMode && Mode != TargetBoardMode)
        return;
    if (Mode == DownloadMode && !offerOnline(main))
        return;
    if (!choose()) {
        if (Mode == TargetBoardMode)
            openTargetBoard(main);
        return;
    }
    ProgramFiles::DownloadFile(targetComm_, gProgramFilePath, prompter_);
    if (!targetComm_.ValidProgram())
        return;
    if (Mode == TargetBoardMode) {
        openTargetBoard(main);
        return;
    }
    const QString name = QFileInfo(gProgramFilePath).fileName();
    if (!confirm(QStringLiteral("You are about to download \"%1\" to the K6686.\r\n\r\n"
                                "Do you wish to continue?")
                     .arg(name)))
        return;
    runTransfer(main, frmDownloadProg::DownloadMode);
}

void ProgramFileCommand::UploadProgram(frmMDIMain& main) {
    if (!offerOnline(main) || !choose())
        return;
    const QString name = QFileInfo(gProgramFilePath).fileName();
    // The upload replaces the companions of the chosen file; the user says so first.
    if (prompter_.ask(QStringLiteral("Program Upload"),
                      QStringLiteral("You are about to upload the program in the K6686 into "
                                     "\"%1\".\r\nIts revision, configuration and HEX files will "
                                     "be replaced.\r\n\r\nDo you wish to continue?")
                          .arg(name),
                      Prompter::Icon::Question, Prompter::Buttons::YesNo) != Prompter::Yes)
        return;
    ProgramFiles::UploadFile(targetComm_, gProgramFilePath, prompter_);
    targetComm_.setInUploadMode(true);
    runTransfer(main, frmDownloadProg::UploadMode);
}
