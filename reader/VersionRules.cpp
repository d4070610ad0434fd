#include "reader/VersionRules.h"

namespace {

constexpr std::size_t kVersionCodeLength = 6;

} // namespace

bool IsVersionText(std::string_view text) {
    return text.starts_with('D') || text.starts_with('K');
}

std::optional<std::string> VersionCodeOf(std::string_view text) {
    const std::size_t separator = text.rfind('_');
    if (separator == std::string_view::npos || separator == 0) {
        return std::nullopt;
    }
    return std::string(text.substr(separator + 1, kVersionCodeLength));
}
