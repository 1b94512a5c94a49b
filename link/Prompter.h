#pragma once

#include <QString>

// One modal message. Every message the program shows goes through this, so tests can read
// the exact title, text, icon and buttons and answer them.
class Prompter {
public:
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Buttons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
    // Answer codes as the platform's message box returns them.
    enum Answer { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

    virtual ~Prompter() = default;
    virtual int ask(const QString& title, const QString& text, Icon icon, Buttons buttons) = 0;
};
