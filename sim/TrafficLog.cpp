#include "TrafficLog.h"

#include <cstdio>

namespace sim {

namespace {

std::string hexByte(std::uint8_t value) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", value);
    return digits;
}

} // namespace

void TrafficLog::record(std::uint8_t request, std::optional<std::uint8_t> reply) {
    exchanges_.push_back({request, reply});
}

std::vector<std::uint8_t> TrafficLog::requests() const {
    std::vector<std::uint8_t> bytes;
    for (const Exchange& exchange : exchanges_)
        bytes.push_back(exchange.request);
    return bytes;
}

std::vector<std::uint8_t> TrafficLog::replies() const {
    std::vector<std::uint8_t> bytes;
    for (const Exchange& exchange : exchanges_) {
        if (exchange.reply)
            bytes.push_back(*exchange.reply);
    }
    return bytes;
}

std::string TrafficLog::text() const {
    std::string text;
    for (const Exchange& exchange : exchanges_) {
        if (!text.empty())
            text += ' ';
        text += hexByte(exchange.request);
        text += '/';
        text += exchange.reply ? hexByte(*exchange.reply) : std::string("-");
    }
    return text;
}

} // namespace sim
