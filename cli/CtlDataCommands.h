#pragma once

#include <QString>
#include <iosfwd>
#include <optional>

#include "SetupData.h"

class Prompter;
class RSComm;

// upload-data, download-data and report: whole set-up data sets between the board, set-up
// files and the printed report. Each returns the exit status of the program.
class CtlDataCommands {
public:
    CtlDataCommands(QString applicationFolder, std::ostream& err);

    // The upload as the program does it, from the built-in defaults, written as a set-up
    // file only when it completed.
    int uploadData(RSComm& link, Prompter& prompter, const QString& outFile);
    // The file's data sent to the board after the question (answered through `prompter`).
    int downloadData(RSComm& link, Prompter& prompter, const SetupData& data);
    // The file's report as PDF; needs a GUI application object, no display and no board.
    int report(Prompter& prompter, const QString& dataFile, const SetupData& data,
               const QString& pdfFile);

    // A set-up file's data with its tables fitted as File Open fits them; empty (with the
    // reason written) when it cannot be read.
    std::optional<SetupData> readSetupFile(const QString& path);

private:
    int fileError(const QString& sentence);

    QString applicationFolder_;
    std::ostream& err_;
};
