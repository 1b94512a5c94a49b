#pragma once

#include "Clock.h"
#include "LinkExchange.h"
#include "LinkObserver.h"

// Collects the exchange in progress for the observer, when there is one. Without an observer
// every call returns at once and no name is ever built.
class LinkWatch {
public:
    explicit LinkWatch(Clock& clock) : clock_(clock) {}

    // Times of later exchanges count from this moment.
    void setObserver(LinkObserver* observer);
    LinkObserver* observer() const { return observer_; }

    void sent(int byte) {
        if (open_)
            current_.sent.append(static_cast<char>(byte & 0xFF));
    }
    void received(int byte) {
        if (open_)
            current_.received.append(static_cast<char>(byte & 0xFF));
    }
    void note(LinkExchange::Outcome outcome) {
        if (open_)
            current_.outcomes |= outcome;
    }
    // Notes the operator's answer to a Retry/Cancel message and passes it on.
    int answered(int answer);

    // One operation as a row. The first scope opened names the exchange; scopes opened inside
    // it (a read inside a bit write, the reads of an ident) join it.
    class Scope {
    public:
        template <typename Name> Scope(LinkWatch& watch, Name name) : watch_(watch) {
            if (watch.observer_ && !watch.open_) {
                owner_ = true;
                watch.begin(name());
            }
        }
        ~Scope() {
            if (owner_)
                watch_.end();
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        // The value the operation read, shown after its name.
        void result(const QString& value);

    private:
        LinkWatch& watch_;
        bool owner_ = false;
    };

private:
    void begin(QString operation);
    void end();

    Clock& clock_;
    LinkObserver* observer_ = nullptr;
    Clock::Micros origin_ = 0;
    bool open_ = false;
    LinkExchange current_;
};
