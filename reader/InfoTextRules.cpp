#include "reader/InfoTextRules.h"

namespace {

constexpr std::string_view kDe635BootLoader = "DE-635_BIOS";
constexpr std::string_view kBootLoaderMark = "_BIOS";
constexpr std::string_view kRiviNetwork = "VAN=RIVI";
constexpr int kFieldsBeforeModelName = 4;
// The white space that trimming an edit field's text removes.
constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

} // namespace

bool IsDe635BootLoaderInfo(std::string_view info) {
    return info.starts_with(kDe635BootLoader);
}

bool IsBootLoaderInfo(std::string_view info) {
    return info.find(kBootLoaderMark, 1) != std::string_view::npos;
}

bool IsRiviNetworkInfo(std::string_view info) {
    return info.starts_with(kRiviNetwork);
}

std::string ModelNameFromInfo(std::string_view info) {
    for (int step = 0; step < kFieldsBeforeModelName; ++step) {
        const std::size_t separator = info.find('_');
        if (separator != std::string_view::npos) {
            info.remove_prefix(separator + 1);
        }
    }
    return std::string(info);
}

std::string TrimmedModelName(std::string_view typed) {
    const std::size_t first = typed.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = typed.find_last_not_of(kWhiteSpace);
    return std::string(typed.substr(first, last - first + 1));
}
