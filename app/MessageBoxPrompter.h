#pragma once

#include <QMessageBox>

#include "Prompter.h"

// The program's messages on screen: a modal message box over the active window.
class MessageBoxPrompter final : public Prompter {
public:
    int ask(const QString& title, const QString& text, Icon icon, Buttons buttons) override;

    static QMessageBox::Icon boxIcon(Icon icon);
    static QMessageBox::StandardButtons boxButtons(Buttons buttons);
    // The answer code of a clicked button; a box closed without one answers as its
    // safest button would (Cancel, else No, else OK).
    static int answerCode(QMessageBox::StandardButton clicked, Buttons buttons);
    // Line breaks as the messages write them (CR LF, or a lone CR) become line breaks.
    static QString displayText(const QString& text);
};
