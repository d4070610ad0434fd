#pragma once

#include <algorithm>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// Test-side bytes and hex, apart from the program's own so expectations do not lean on it.
using Bytes = std::vector<unsigned char>;

// Digits of either case, spaces ignored; anything else is a mistyped test vector.
inline Bytes FromHex(std::string digits) {
    std::erase(digits, ' ');
    if (digits.size() % 2 || digits.find_first_not_of("0123456789ABCDEFabcdef") != digits.npos) {
        throw std::invalid_argument("mistyped test vector: " + digits);
    }
    Bytes bytes(digits.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<unsigned char>(std::stoi(digits.substr(2 * i, 2), nullptr, 16));
    }
    return bytes;
}

inline std::string ToHex(std::span<const unsigned char> bytes) {
    std::string text;
    for (const unsigned char byte : bytes) {
        text += {"0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 0xF]};
    }
    return text;
}

template <typename... More> Bytes Concat(Bytes bytes, const More&... more) {
    (bytes.insert(bytes.end(), std::begin(more), std::end(more)), ...);
    return bytes;
}

inline Bytes Slice(std::span<const unsigned char> bytes, size_t offset, size_t count) {
    const auto part = bytes.subspan(offset, count);
    return Bytes(part.begin(), part.end());
}

inline Bytes RandomBytes(size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    Bytes bytes(count);
    std::generate(bytes.begin(), bytes.end(),
                  [&] { return static_cast<unsigned char>(generator()); });
    return bytes;
}
