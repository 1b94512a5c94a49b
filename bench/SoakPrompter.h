#pragma once

#include <QMap>
#include <QString>
#include <random>

#include "Prompter.h"

struct SoakState;

// The operator at the message boxes: Retry or Cancel at random from the soak's seed, Yes to
// the transfers' questions, No to saving changes, OK to the rest. Keeps a tally by title.
class SoakPrompter final : public Prompter {
public:
    SoakPrompter(SoakState& state, unsigned seed) : state_(state), random_(seed) {}

    int ask(const QString& title, const QString& text, Icon icon, Buttons buttons) override;

    long long answered() const { return answered_; }
    const QMap<QString, int>& byTitle() const { return byTitle_; }
    QString last() const { return last_; }

private:
    int choose(const QString& text, Buttons buttons);

    SoakState& state_;
    std::mt19937 random_;
    long long answered_ = 0;
    QMap<QString, int> byTitle_;
    QString last_;
};
