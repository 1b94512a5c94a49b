#pragma once

struct LinkExchange;

// Watches the line: told of each exchange when it ends. Attached only while something
// watches, so an unwatched link records nothing.
class LinkObserver {
public:
    virtual void exchangeDone(const LinkExchange& exchange) = 0;

protected:
    ~LinkObserver() = default;
};
