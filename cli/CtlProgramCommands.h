#pragma once

#include <QString>
#include <QStringList>
#include <iosfwd>

class ConsolePrompter;
class RSComm;

// download-program, upload-program and verify-program. The file checks run before the line
// is opened, so a refused set never touches the board.
class CtlProgramCommands {
public:
    CtlProgramCommands(RSComm& link, ConsolePrompter& prompter, std::ostream& out,
                       std::ostream& err);

    // Before the line opens: the checks of the set (download) or of the file (upload,
    // verify), and for download and verify the whole HEX file. 0 to go on, else the status.
    int checkDownload(const QString& programFile);
    int checkUpload(const QString& programFile);
    int checkVerify(const QString& programFile);

    int download();
    int upload();
    int verify();

private:
    int checkHex(const QString& hexFile);

    RSComm& link_;
    ConsolePrompter& prompter_;
    std::ostream& out_;
    std::ostream& err_;
    QStringList hexLines_;
};
