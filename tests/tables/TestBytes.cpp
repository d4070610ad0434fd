#include "tests/tables/TestBytes.h"

#include <algorithm>
#include <cctype>
#include <openssl/evp.h>
#include <stdexcept>

namespace {

int NibbleValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    throw std::invalid_argument("not a hexadecimal digit in test data");
}

} // namespace

std::vector<unsigned char> ParseHex(std::string_view hex) {
    if (hex.size() % 2 != 0) {
        throw std::invalid_argument("odd-length hexadecimal text in test data");
    }
    std::vector<unsigned char> bytes;
    for (size_t i = 0; i < hex.size(); i += 2) {
        bytes.push_back(
            static_cast<unsigned char>(NibbleValue(hex[i]) * 16 + NibbleValue(hex[i + 1])));
    }
    return bytes;
}

std::string ToHex(const unsigned char* bytes, size_t length) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (size_t i = 0; i < length; ++i) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 0x0F];
    }
    return hex;
}

std::string ToUpper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

Sha1Digest OpenSslSha1(const unsigned char* data, size_t length) {
    Sha1Digest digest{};
    unsigned int written = 0;
    if (EVP_Digest(data, length, digest.data(), &written, EVP_sha1(), nullptr) != 1 ||
        written != digest.size()) {
        throw std::runtime_error("libcrypto SHA-1 failed");
    }
    return digest;
}
