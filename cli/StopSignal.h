#pragma once

#include <csignal>

#include "Clock.h"

// Ctrl-C and SIGTERM as a request to stop at the next safe point, so the link is closed
// properly instead of the process dying mid-exchange. Handlers are installed for the life of
// the object; one object at a time.
class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    bool requested() const;
    // Sleeps until the deadline of `clock` or until a stop is requested, whichever comes
    // first; true when a stop was requested.
    bool waitUntil(const Clock& clock, Clock::Micros deadline);

private:
    int readFd_ = -1;
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
};
