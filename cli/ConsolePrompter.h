#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <iosfwd>

#include "Prompter.h"

// Messages the program would show in a box, written as one line "TITLE: text" for scripts.
// Nobody is there to answer: Retry is given up to a budget of times in a row, otherwise the
// answer that changes nothing (OK for a notice, Cancel or No for a question).
class ConsolePrompter final : public Prompter {
public:
    ConsolePrompter(std::ostream& out, int retries);

    int ask(const QString& title, const QString& text, Icon icon, Buttons buttons) override;

    // A success in between starts the budget afresh, so a long watch survives separate
    // hiccups.
    void resetRetries() { retriesLeft_ = retries_; }
    // Asked before a Retry is given; true turns it into Cancel (Ctrl-C during a dead line).
    void setGiveUp(std::function<bool()> giveUp) { giveUp_ = std::move(giveUp); }
    // Questions answered Yes instead of No or Cancel (vorna7ctl download-program --yes).
    void setAnswerYes(bool yes) { answerYes_ = yes; }

    bool sawTitle(const QString& title) const;
    // Messages so far, to look only at those of one operation afterwards.
    int shownCount() const { return static_cast<int>(shown_.size()); }
    bool shownSince(int mark, const QString& title, Icon icon) const;

    // The text on one line: each CR LF, CR or LF becomes " | ".
    static QString oneLine(const QString& text);
    static QString formatLine(const QString& title, const QString& text);

private:
    int answerFor(Buttons buttons);
    bool mayRetry();

    std::ostream& out_;
    int retries_;
    int retriesLeft_;
    std::function<bool()> giveUp_;
    bool answerYes_ = false;
    struct Shown {
        QString title;
        Icon icon;
    };
    QList<Shown> shown_;
};
