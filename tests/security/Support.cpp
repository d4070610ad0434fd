#include "tests/security/Support.h"

#include <gtest/gtest.h>
#include <openssl/des.h>
#include <openssl/sha.h>

#include <cstring>
#include <random>

Bytes FromHex(const std::string& text) {
    std::string digits = text;
    std::erase(digits, ' ');
    EXPECT_TRUE(digits.size() % 2 == 0 &&
                digits.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos)
        << "bad test vector: " << text;
    Bytes bytes;
    for (size_t i = 0; i + 1 < digits.size(); i += 2) {
        bytes.push_back(static_cast<unsigned char>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

std::string ToHex(const unsigned char* bytes, size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0xF];
    }
    return text;
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Slice(const Bytes& bytes, size_t offset, size_t count) {
    return Bytes(bytes.begin() + static_cast<long>(offset),
                 bytes.begin() + static_cast<long>(offset + count));
}

Bytes RandomBytes(size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    Bytes bytes(count);
    for (auto& b : bytes) {
        b = static_cast<unsigned char>(generator());
    }
    return bytes;
}

namespace {
struct Schedules {
    DES_key_schedule k[3];
    explicit Schedules(const Bytes& key) {
        EXPECT_TRUE(key.size() == 8 || key.size() == 24);
        for (size_t i = 0; i < 3; ++i) {
            DES_cblock part;
            std::memcpy(part, key.data() + (key.size() == 24 ? 8 * i : 0), 8);
            DES_set_key_unchecked(&part, &k[i]);
        }
    }
};
} // namespace

Bytes OracleDes(const Bytes& key, const Bytes& block8, bool encrypt) {
    Schedules s(key);
    DES_cblock in;
    DES_cblock out;
    std::memcpy(in, block8.data(), 8);
    DES_ecb3_encrypt(&in, &out, &s.k[0], &s.k[1], &s.k[2], encrypt ? DES_ENCRYPT : DES_DECRYPT);
    return Bytes(out, out + 8);
}

Bytes OracleTripleDesCbcLastBlock(const Bytes& key24, const Bytes& message) {
    EXPECT_EQ(message.size() % 8, 0u);
    Schedules s(key24);
    DES_cblock chain = {};
    Bytes out(message.size());
    DES_ede3_cbc_encrypt(message.data(), out.data(), static_cast<long>(message.size()), &s.k[0],
                         &s.k[1], &s.k[2], &chain, DES_ENCRYPT);
    return Slice(out, out.size() - 8, 8);
}

Bytes OracleSha256(const Bytes& message) {
    Bytes digest(SHA256_DIGEST_LENGTH);
    SHA256(message.data(), message.size(), digest.data());
    return digest;
}
