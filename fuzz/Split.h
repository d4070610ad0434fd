#pragma once

// Cuts a fuzz input into the separate texts a target needs: the pieces between NUL
// bytes, missing pieces empty.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline std::vector<std::string> SplitAtNul(const std::uint8_t* data, std::size_t size,
                                           std::size_t pieces) {
    std::vector<std::string> parts(pieces);
    std::size_t part = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && part + 1 < pieces) {
            ++part;
        } else {
            parts[part] += static_cast<char>(data[i]);
        }
    }
    return parts;
}
