#pragma once

#include <functional>
#include <iosfwd>

#include "Prompter.h"

class ConsolePrompter;

// Yes/No questions of an operation the user asked for on the command line: shown like every
// message, then answered Yes by --yes or by the user at the terminal (anything but y or yes is
// No). Everything else goes to the console prompter.
class CtlQuestionPrompter final : public Prompter {
public:
    CtlQuestionPrompter(ConsolePrompter& console, bool yes, std::istream& terminal,
                        std::ostream& err);

    int ask(const QString& title, const QString& text, Icon icon, Buttons buttons) override;

private:
    ConsolePrompter& console_;
    bool yes_;
    std::istream& terminal_;
    std::ostream& err_;
};
