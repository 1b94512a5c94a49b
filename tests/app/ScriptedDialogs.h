#pragma once

#include <QList>
#include <QString>
#include <deque>
#include <optional>

#include "FileDialogs.h"

// Answers file dialogs from a queue (an empty queue cancels) and records every request.
class ScriptedDialogs final : public FileDialogs {
public:
    struct Request {
        bool save;
        QString filter;
        QString initialName;
    };

    std::optional<QString> openFile(const QString& filter, const QString& initialName) override {
        return answer({false, filter, initialName});
    }
    std::optional<QString> saveFile(const QString& filter, const QString& initialName) override {
        return answer({true, filter, initialName});
    }

    void choose(const QString& path) { answers_.push_back(path); }
    void cancelNext() { answers_.push_back(QString()); }
    const QList<Request>& requests() const { return requests_; }

private:
    std::optional<QString> answer(const Request& request) {
        requests_.append(request);
        if (answers_.empty())
            return std::nullopt;
        const QString chosen = answers_.front();
        answers_.pop_front();
        return chosen.isNull() ? std::nullopt : std::optional(chosen);
    }

    std::deque<QString> answers_; // a null text cancels
    QList<Request> requests_;
};
