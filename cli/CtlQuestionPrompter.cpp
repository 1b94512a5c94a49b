#include "CtlQuestionPrompter.h"

#include <istream>
#include <ostream>
#include <string>

#include "ConsolePrompter.h"

CtlQuestionPrompter::CtlQuestionPrompter(ConsolePrompter& console, bool yes, std::istream& terminal,
                                         std::ostream& err)
    : console_(console), yes_(yes), terminal_(terminal), err_(err) {}

int CtlQuestionPrompter::ask(const QString& title, const QString& text, Icon icon,
                             Buttons buttons) {
    if (buttons != Buttons::YesNo)
        return console_.ask(title, text, icon, buttons);
    err_ << ConsolePrompter::formatLine(title, text).toStdString() << std::endl;
    if (yes_)
        return Yes;
    err_ << "Answer yes or no: " << std::flush;
    std::string line;
    if (!std::getline(terminal_, line))
        return No;
    const QString answer = QString::fromStdString(line).trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes") ? Yes : No;
}
