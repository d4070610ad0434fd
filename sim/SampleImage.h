#pragma once

// Sample firmware images for the demo and the tests: deterministic filler with the
// version marker (VersionMarker.h) at the very end, so the simulated reader must
// receive the last, partial block to learn the version.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace sim {

// The smallest image that holds the marker, a code of this length and its end byte.
std::size_t MinimumSampleImageSize(std::string_view versionCode);

// An image of exactly size bytes carrying versionCode; empty when the code is not
// valid or does not fit.
std::vector<std::uint8_t> MakeSampleImage(std::size_t size, std::string_view versionCode);

} // namespace sim
