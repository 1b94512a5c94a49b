#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// Bytes crossing the line, one entry per byte sent to the board with the board's answer.
// The text form "FF/55 01/55 03/-" makes protocol assertions one line long.
class TrafficLog {
public:
    struct Exchange {
        std::uint8_t request;
        std::optional<std::uint8_t> reply;
        bool operator==(const Exchange&) const = default;
    };

    void record(std::uint8_t request, std::optional<std::uint8_t> reply);
    void clear() { exchanges_.clear(); }

    const std::vector<Exchange>& exchanges() const { return exchanges_; }
    bool empty() const { return exchanges_.empty(); }
    std::size_t size() const { return exchanges_.size(); }

    std::vector<std::uint8_t> requests() const;
    std::vector<std::uint8_t> replies() const;
    // "FF/55 01/55 03/03" in upper-case hex; a byte that got no answer shows "-".
    std::string text() const;

private:
    std::vector<Exchange> exchanges_;
};

} // namespace sim
