#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace sim {

// The simulator's one reader of the whole numbers on its command line and control channel:
// decimal digits and nothing else (no blanks, signs or exponents), within low..high. These are
// the simulator's own texts, stricter than the program's decimal texts.
class WholeNumber {
public:
    static std::optional<std::uint32_t>
    parse(std::string_view text, std::uint32_t low = 0,
          std::uint32_t high = std::numeric_limits<std::uint32_t>::max());
};

} // namespace sim
