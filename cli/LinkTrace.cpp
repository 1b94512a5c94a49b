#include "LinkTrace.h"

#include <ostream>

#include "LinkExchangeText.h"

// Flushed at once: a trace is read while the command still waits on a silent board.
void LinkTrace::exchangeDone(const LinkExchange& exchange) {
    out_ << LinkExchangeText::line(exchange).toStdString() << std::endl;
}
