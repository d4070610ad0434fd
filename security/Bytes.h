#pragma once

#include <cstddef>
#include <cstdint>

// Load/store helpers shared by the ciphers, the hash and the message checks.

inline uint64_t LoadBigEndian64(const unsigned char* bytes) {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

inline void StoreBigEndian64(uint64_t value, unsigned char* bytes) {
    for (int i = 7; i >= 0; --i) {
        bytes[i] = static_cast<unsigned char>(value);
        value >>= 8;
    }
}

inline uint32_t LoadBigEndian32(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           uint32_t{bytes[3]};
}

inline void StoreBigEndian32(uint32_t value, unsigned char* bytes) {
    bytes[0] = static_cast<unsigned char>(value >> 24);
    bytes[1] = static_cast<unsigned char>(value >> 16);
    bytes[2] = static_cast<unsigned char>(value >> 8);
    bytes[3] = static_cast<unsigned char>(value);
}

// output may be either input.
inline void XorBytes(unsigned char* output, const unsigned char* a, const unsigned char* b,
                     size_t count) {
    for (size_t i = 0; i < count; ++i) {
        output[i] = static_cast<unsigned char>(a[i] ^ b[i]);
    }
}

// Looks at every byte whatever the first difference, so the time taken to refuse a MAC
// does not tell an attacker how many of its leading bytes were right.
inline bool BytesEqual(const unsigned char* a, const unsigned char* b, size_t count) {
    unsigned char difference = 0;
    for (size_t i = 0; i < count; ++i) {
        difference = static_cast<unsigned char>(difference | (a[i] ^ b[i]));
    }
    return difference == 0;
}
