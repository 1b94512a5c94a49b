#include "SoakPrompter.h"

#include "SoakState.h"

int SoakPrompter::ask(const QString& title, const QString& text, Icon icon, Buttons buttons) {
    ++answered_;
    ++byTitle_[title];
    last_ = title + QStringLiteral(": ") + text;
    if (icon == Icon::Critical || icon == Icon::Exclamation)
        ++state_.errorMessages;
    return choose(text, buttons);
}

int SoakPrompter::choose(const QString& text, Buttons buttons) {
    const bool heads = (random_() & 1) != 0;
    switch (buttons) {
    case Buttons::RetryCancel:
        return heads ? Retry : Cancel;
    case Buttons::AbortRetryIgnore:
        return heads ? Retry : Abort;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return text.contains(QLatin1String("Save Changes")) ? No : Yes;
    case Buttons::OKCancel:
    case Buttons::OK:
        break;
    }
    return OK;
}
