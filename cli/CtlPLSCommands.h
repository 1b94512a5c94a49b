#pragma once

#include <QString>
#include <iosfwd>

class ConsolePrompter;
class RSComm;

// The pls commands of vorna7ctl on an open link. Each returns the exit status of the program:
// a refusal by the link's own checks is 1 (its message is on standard error), anything the
// board or the line did wrong is 2.
class CtlPLSCommands {
public:
    CtlPLSCommands(RSComm& link, ConsolePrompter& prompter, std::ostream& out, std::ostream& err);

    int status();
    int config();
    int recall(int channel);
    int set(int channel, int on, int off);
    int pulse(int channel, int on, int off, int start);
    int clear(int channel);
    int offset(int position);

private:
    // The exit status of a PLS write, from its result and what was shown meanwhile; says why
    // on standard error when neither the link nor its checks have.
    int writeOutcome(bool written, int mark, const QString& refusalTitle, const QString& what);
    bool refusedSince(int mark, const QString& title) const;
    void reportUnanswered(int mark, const QString& what, const char* why);

    RSComm& link_;
    ConsolePrompter& prompter_;
    std::ostream& out_;
    std::ostream& err_;
};
