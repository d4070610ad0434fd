#include "sim/VersionMarker.h"

#include <algorithm>

namespace sim {

namespace {

bool IsAsciiAlnum(std::uint8_t byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
           (byte >= 'a' && byte <= 'z');
}

} // namespace

std::optional<std::string> FindImageVersion(std::span<const std::uint8_t> image) {
    auto from = image.begin();
    while (true) {
        auto marker = std::search(from, image.end(), kVersionMarker.begin(), kVersionMarker.end(),
                                  [](std::uint8_t a, char b) { return a == std::uint8_t(b); });
        if (marker == image.end()) {
            return std::nullopt;
        }
        auto codeStart = marker + static_cast<std::ptrdiff_t>(kVersionMarker.size());
        auto codeEnd = std::find_if_not(codeStart, image.end(), IsAsciiAlnum);
        if (codeEnd != codeStart) {
            std::size_t length = std::min<std::size_t>(codeEnd - codeStart, kMaxVersionCode);
            return std::string(codeStart, codeStart + static_cast<std::ptrdiff_t>(length));
        }
        from = marker + 1;
    }
}

bool IsValidVersionCode(std::string_view code) {
    return !code.empty() && code.size() <= kMaxVersionCode &&
           std::all_of(code.begin(), code.end(), [](char c) { return IsAsciiAlnum(c); });
}

} // namespace sim
