// see Hex.h
#include "security/Hex.h"

namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";

bool IsHexDigit(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Characters outside 0-9 and a-f fall through to the upper-case rule, modulo 256, so a
// non-hexadecimal character may yield a value above 15.
unsigned NibbleValue(unsigned char c) {
    if (c >= '0' && c <= '9') {
        return c - 0x30u;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 0x57u;
    }
    return (c - 0x37u) & 0xFFu;
}

} // namespace

std::string BytesToHex(const unsigned char* bytes, int count) {
    std::string text;
    if (count <= 0) {
        return text;
    }
    text.reserve(static_cast<size_t>(count) * 2);
    for (int i = 0; i < count; ++i) {
        text += hexDigits[bytes[i] >> 4];
        text += hexDigits[bytes[i] & 0x0F];
    }
    return text;
}

int HexToBytes(std::string text, unsigned char* bytes) {
    const size_t count = text.size() / 2;
    for (size_t i = 0; i < count; ++i) {
        const unsigned high = NibbleValue(static_cast<unsigned char>(text[2 * i]));
        const unsigned low = NibbleValue(static_cast<unsigned char>(text[2 * i + 1]));
        bytes[i] = static_cast<unsigned char>(((high * 16) & 0xFFu) | low);
    }
    return static_cast<int>(count);
}

bool IsHexText(const std::string& text, size_t length) {
    if (text.size() != length) {
        return false;
    }
    for (const char c : text) {
        if (!IsHexDigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}
