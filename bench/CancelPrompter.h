#pragma once

#include <QString>

#include "Prompter.h"

// Answers every message Cancel and remembers the last text, so a time-out ends by itself and
// a failed figure can say why.
class CancelPrompter final : public Prompter {
public:
    int ask(const QString& title, const QString& text, Icon, Buttons) override {
        ++count;
        last = title + QStringLiteral(": ") + text;
        return Cancel;
    }
    int count = 0;
    QString last;
};
