#pragma once

#include <QString>
#include <iosfwd>
#include <optional>

#include "AppLayout.h"
#include "CtlOptions.h"
#include "SetupData.h"

class ConsolePrompter;
class CtlProgramCommands;
class CtlCommands;
class RSComm;

// One run of vorna7ctl: opens the link as the options say, runs the command, closes the link.
class CtlSession {
public:
    // `programLayout` gives the default application folder (when --appdir gives none) and
    // where the shipped texts are read.
    CtlSession(CtlOptions options, AppLayout programLayout, std::ostream& out, std::ostream& err);

    // The exit status of the program.
    int run();
    // Where questions can be answered; none (the default) when input is not a terminal.
    void setTerminal(std::istream* terminal) { terminal_ = terminal; }

private:
    QString applicationFolder() const;
    int runPLS(RSComm& link, ConsolePrompter& prompter);
    int checkProgram(CtlProgramCommands& program);
    int runLinkCommand(RSComm& link, ConsolePrompter& prompter, CtlCommands& commands,
                       CtlProgramCommands& program, const std::optional<SetupData>& fileData);

    CtlOptions options_;
    AppLayout programLayout_;
    std::ostream& out_;
    std::ostream& err_;
    std::istream* terminal_ = nullptr;
};
