#include "WholeNumber.h"

#include <charconv>

namespace sim {

std::optional<std::uint32_t> WholeNumber::parse(std::string_view text, std::uint32_t low,
                                                std::uint32_t high) {
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace sim
