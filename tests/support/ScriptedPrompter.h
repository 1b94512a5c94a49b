#pragma once

#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <tuple>

#include "Prompter.h"

// Records every message and answers from a queue; with the queue empty it answers the
// safe way out (Cancel where offered, else No, else OK).
class ScriptedPrompter final : public Prompter {
public:
    struct Message {
        QString title;
        QString text;
        Icon icon;
        Buttons buttons;
        int answer;
    };

    int ask(const QString& title, const QString& text, Icon icon, Buttons buttons) override;

    void answerNext(int answer) { answers_.push_back(answer); }
    // Called while a message is "open", before it is answered (to test re-entrancy).
    void onAsk(std::function<void(const Message&)> hook) { hook_ = std::move(hook); }

    const QList<Message>& messages() const { return messages_; }
    int count() const { return static_cast<int>(messages_.size()); }
    const Message& last() const { return messages_.back(); }
    // The last message without its answer, to compare all of it at once.
    using Shown = std::tuple<QString, QString, Icon, Buttons>;
    Shown lastShown() const { return {last().title, last().text, last().icon, last().buttons}; }
    void clear() { messages_.clear(); }

    static int defaultAnswer(Buttons buttons);

private:
    std::deque<int> answers_;
    QList<Message> messages_;
    std::function<void(const Message&)> hook_;
};
