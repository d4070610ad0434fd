#include "sim/SampleImage.h"

#include "sim/VersionMarker.h"

#include <algorithm>

namespace sim {

std::size_t MinimumSampleImageSize(std::string_view versionCode) {
    return kVersionMarker.size() + versionCode.size() + 1;
}

std::vector<std::uint8_t> MakeSampleImage(std::size_t size, std::string_view versionCode) {
    if (!IsValidVersionCode(versionCode) || size < MinimumSampleImageSize(versionCode)) {
        return {};
    }
    std::vector<std::uint8_t> image(size);
    // An arithmetic sequence with an odd step visits every byte value and never
    // spells the marker.
    for (std::size_t i = 0; i < size; ++i) {
        image[i] = static_cast<std::uint8_t>(i * 167 + 13);
    }
    auto at = image.end() - static_cast<std::ptrdiff_t>(MinimumSampleImageSize(versionCode));
    at = std::copy(kVersionMarker.begin(), kVersionMarker.end(), at);
    at = std::copy(versionCode.begin(), versionCode.end(), at);
    *at = 0x00; // ends the code
    return image;
}

} // namespace sim
