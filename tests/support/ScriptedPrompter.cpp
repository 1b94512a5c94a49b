#include "ScriptedPrompter.h"

int ScriptedPrompter::defaultAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::OK:
        return OK;
    case Buttons::OKCancel:
    case Buttons::RetryCancel:
    case Buttons::YesNoCancel:
        return Cancel;
    case Buttons::YesNo:
        return No;
    case Buttons::AbortRetryIgnore:
        return Abort;
    }
    return OK;
}

int ScriptedPrompter::ask(const QString& title, const QString& text, Icon icon, Buttons buttons) {
    Message message{title, text, icon, buttons, defaultAnswer(buttons)};
    if (!answers_.empty()) {
        message.answer = answers_.front();
        answers_.pop_front();
    }
    if (hook_)
        hook_(message);
    messages_.append(message);
    return message.answer;
}
