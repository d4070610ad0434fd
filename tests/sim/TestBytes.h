#pragma once

// Byte strings written the way the reader's traffic is read: "FF 0C", "00" + text.

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace simtest {

using Bytes = std::vector<std::uint8_t>;

// Hexadecimal pairs, blanks between them allowed; a malformed literal throws.
inline Bytes Hex(std::string_view text) {
    Bytes bytes;
    for (std::size_t i = text.find_first_not_of(' '); i < text.size();
         i = text.find_first_not_of(' ', i + 2)) {
        std::size_t used = 0;
        bytes.push_back(
            static_cast<std::uint8_t>(std::stoi(std::string(text.substr(i, 2)), &used, 16)));
        if (used != 2) {
            throw std::invalid_argument("bad hex literal " + std::string(text));
        }
    }
    return bytes;
}

inline Bytes Concat(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

inline Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// "00" followed by text: the reader's plain answer.
inline Bytes Ok(std::string_view text) {
    return Concat({0x00}, Text(text));
}

inline std::string ToHex(const Bytes& bytes) {
    std::string text;
    char pair[4];
    for (std::uint8_t byte : bytes) {
        std::snprintf(pair, sizeof pair, text.empty() ? "%02X" : " %02X", byte);
        text += pair;
    }
    return text;
}

} // namespace simtest
