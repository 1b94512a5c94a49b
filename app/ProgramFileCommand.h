#pragma once

#include <QString>

class FileDialogs;
class Prompter;
class RSComm;
class frmMDIMain;

// File > Download Program, File > Upload Program and View > Target Board Interface: the
// choice of a program file, then the transfer in its progress window or the service window. The
// path chosen last is kept for the next choice.
class ProgramFileCommand {
public:
    static constexpr int DownloadMode = 0;
    static constexpr int TargetBoardMode = 2;
    static const QString TekoraFilter; // "Tekora Files(*.tkp)|*.tkp|"

    ProgramFileCommand(RSComm& targetComm, Prompter& prompter, FileDialogs& fileDialogs);

    // Mode 0: download the chosen program into the K6686; mode 2: open the Target Board
    // Interface window for it (a cancelled choice opens it for the file chosen before).
    void SelectProgramFile(frmMDIMain& main, int Mode);
    // Reads the board's program back into the file set beside a chosen program file.
    void UploadProgram(frmMDIMain& main);

    QString gProgramFilePath;

private:
    bool offerOnline(frmMDIMain& main);
    bool choose();
    bool confirm(const QString& text);
    void runTransfer(frmMDIMain& main, int mode);
    void openTargetBoard(frmMDIMain& main);

    RSComm& targetComm_;
    Prompter& prompter_;
    FileDialogs& fileDialogs_;
};
