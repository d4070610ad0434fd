#include "reader/ReaderText.h"

#include <algorithm>
#include <cstdio>

std::string TextAfterResponseCode(const unsigned char* area, std::size_t areaSize) {
    if (area == nullptr || areaSize < 2) {
        return {};
    }
    const unsigned char* begin = area + 1;
    const unsigned char* end = std::find(begin, area + areaSize, 0);
    return std::string(begin, end);
}

std::string FailedToReadText(int result) {
    char text[32];
    std::snprintf(text, sizeof text, "Failed to Read (%02X)", static_cast<unsigned>(result));
    return text;
}
