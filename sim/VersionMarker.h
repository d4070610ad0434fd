#pragma once

// How a firmware image tells the simulated reader its version: the ASCII marker
// "RIVI-FW-VERSION=" anywhere in the image, followed by the version code, which ends
// at the first byte that is not an ASCII letter or digit. Codes are cut to six
// characters, as the host compares no more than that.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sim {

inline constexpr std::string_view kVersionMarker = "RIVI-FW-VERSION=";
inline constexpr std::size_t kMaxVersionCode = 6;

// The code after the first marker that is followed by at least one letter or digit;
// empty when there is none.
std::optional<std::string> FindImageVersion(std::span<const std::uint8_t> image);

// One to six ASCII letters or digits.
bool IsValidVersionCode(std::string_view code);

} // namespace sim
