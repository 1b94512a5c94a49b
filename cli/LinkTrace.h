#pragma once

#include <iosfwd>

#include "LinkObserver.h"

// --trace: each exchange on the line as one line of text, in the words of the link monitor.
class LinkTrace final : public LinkObserver {
public:
    explicit LinkTrace(std::ostream& out) : out_(out) {}

    void exchangeDone(const LinkExchange& exchange) override;

private:
    std::ostream& out_;
};
