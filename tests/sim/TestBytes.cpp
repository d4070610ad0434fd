#include "tests/sim/TestBytes.h"

#include <cstdio>
#include <cstdlib>

namespace simtest {

namespace {

int Nibble(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    std::fprintf(stderr, "bad hex digit '%c' in a test literal\n", c);
    std::abort();
}

} // namespace

Bytes Hex(std::string_view text) {
    Bytes bytes;
    std::string digits;
    for (char c : text) {
        if (c != ' ') {
            digits += c;
        }
    }
    if (digits.size() % 2 != 0) {
        std::fprintf(stderr, "odd hex literal '%.*s'\n", int(text.size()), text.data());
        std::abort();
    }
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(Nibble(digits[i]) * 16 + Nibble(digits[i + 1])));
    }
    return bytes;
}

Bytes Concat(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

std::string ToHex(const Bytes& bytes) {
    std::string text;
    char pair[4];
    for (std::uint8_t byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02X ", byte);
        text += pair;
    }
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

} // namespace simtest
