#pragma once

#include <QString>

class FileDialogs;
class Prompter;
class RSComm;
class frmMDIMain;

// File > Download Program and File > Upload Program: the choice of a program file and the
// transfer in its progress window. The path chosen last is kept for the next choice.
class ProgramFileCommand {
public:
    static constexpr int DownloadMode = 0;
    static const QString TekoraFilter; // "Tekora Files(*.tkp)|*.tkp|"

    ProgramFileCommand(RSComm& targetComm, Prompter& prompter, FileDialogs& fileDialogs);

    // Mode 0: download the chosen program into the K6686.
    void SelectProgramFile(frmMDIMain& main, int Mode);
    // Reads the board's program back into the file set beside a chosen program file.
    void UploadProgram(frmMDIMain& main);

    QString gProgramFilePath;

private:
    bool offerOnline(frmMDIMain& main);
    bool choose();
    bool confirm(const QString& text);
    void runTransfer(frmMDIMain& main, int mode);

    RSComm& targetComm_;
    Prompter& prompter_;
    FileDialogs& fileDialogs_;
};
