#pragma once

#include <QString>
#include <iosfwd>

#include "CtlOptions.h"

class ConsolePrompter;
class CtlProgramCommands;
class RSComm;

// One run of vorna7ctl: opens the link as the options say, runs the command, closes the link.
class CtlSession {
public:
    CtlSession(CtlOptions options, QString defaultAppDir, std::ostream& out, std::ostream& err);

    // The exit status of the program.
    int run();

private:
    QString applicationFolder() const;
    int runPLS(RSComm& link, ConsolePrompter& prompter);
    int checkProgram(CtlProgramCommands& program);

    CtlOptions options_;
    QString defaultAppDir_;
    std::ostream& out_;
    std::ostream& err_;
};
