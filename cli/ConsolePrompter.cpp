#include "ConsolePrompter.h"

#include <QRegularExpression>
#include <algorithm>
#include <ostream>

ConsolePrompter::ConsolePrompter(std::ostream& out, int retries)
    : out_(out), retries_(retries), retriesLeft_(retries) {}

QString ConsolePrompter::oneLine(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QString line = text;
    return line.replace(lineBreak, QStringLiteral(" | "));
}

QString ConsolePrompter::formatLine(const QString& title, const QString& text) {
    return title + QStringLiteral(": ") + oneLine(text);
}

bool ConsolePrompter::sawTitle(const QString& title) const {
    return std::any_of(shown_.begin(), shown_.end(),
                       [&title](const Shown& shown) { return shown.title == title; });
}

bool ConsolePrompter::shownSince(int mark, const QString& title, Icon icon) const {
    return std::any_of(
        shown_.begin() + std::clamp(mark, 0, shownCount()), shown_.end(),
        [&](const Shown& shown) { return shown.title == title && shown.icon == icon; });
}

int ConsolePrompter::ask(const QString& title, const QString& text, Icon icon, Buttons buttons) {
    shown_.append({title, icon});
    out_ << formatLine(title, text).toStdString() << std::endl;
    return answerFor(buttons);
}

bool ConsolePrompter::mayRetry() {
    if (retriesLeft_ <= 0 || (giveUp_ && giveUp_()))
        return false;
    --retriesLeft_;
    return true;
}

int ConsolePrompter::answerFor(Buttons buttons) {
    switch (buttons) {
    case Buttons::OK:
        return OK;
    case Buttons::RetryCancel:
        return mayRetry() ? Retry : Cancel;
    case Buttons::AbortRetryIgnore:
        return mayRetry() ? Retry : Abort;
    case Buttons::YesNo:
        return answerYes_ ? Yes : No;
    case Buttons::YesNoCancel:
        return answerYes_ ? Yes : Cancel;
    case Buttons::OKCancel:
        return Cancel;
    }
    return Cancel;
}
