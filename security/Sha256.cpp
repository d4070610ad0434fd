// see Sha256.h
#include "security/Sha256.h"

#include "security/Bytes.h"

#include <algorithm>
#include <cstring>

namespace {

// FIPS 180-4 section 5.3.3
constexpr uint32_t initialHash[8] = {0x6A09E667, 0xBB67AE85, 0x3C6EF372, 0xA54FF53A,
                                     0x510E527F, 0x9B05688C, 0x1F83D9AB, 0x5BE0CD19};

// FIPS 180-4 section 4.2.2
constexpr uint32_t roundConstants[64] = {
    0x428A2F98, 0x71374491, 0xB5C0FBCF, 0xE9B5DBA5, 0x3956C25B, 0x59F111F1, 0x923F82A4, 0xAB1C5ED5,
    0xD807AA98, 0x12835B01, 0x243185BE, 0x550C7DC3, 0x72BE5D74, 0x80DEB1FE, 0x9BDC06A7, 0xC19BF174,
    0xE49B69C1, 0xEFBE4786, 0x0FC19DC6, 0x240CA1CC, 0x2DE92C6F, 0x4A7484AA, 0x5CB0A9DC, 0x76F988DA,
    0x983E5152, 0xA831C66D, 0xB00327C8, 0xBF597FC7, 0xC6E00BF3, 0xD5A79147, 0x06CA6351, 0x14292967,
    0x27B70A85, 0x2E1B2138, 0x4D2C6DFC, 0x53380D13, 0x650A7354, 0x766A0ABB, 0x81C2C92E, 0x92722C85,
    0xA2BFE8A1, 0xA81A664B, 0xC24B8B70, 0xC76C51A3, 0xD192E819, 0xD6990624, 0xF40E3585, 0x106AA070,
    0x19A4C116, 0x1E376C08, 0x2748774C, 0x34B0BCB5, 0x391C0CB3, 0x4ED8AA4A, 0x5B9CCA4F, 0x682E6FF3,
    0x748F82EE, 0x78A5636F, 0x84C87814, 0x8CC70208, 0x90BEFFFA, 0xA4506CEB, 0xBEF9A3F7, 0xC67178F2};

constexpr size_t blockSize = 64;
constexpr size_t lengthFieldSize = 8;

uint32_t RotateRight(uint32_t x, int n) {
    return (x >> n) | (x << (32 - n));
}

} // namespace

Sha256::Sha256() {
    Reset();
}

void Sha256::Reset() {
    std::memcpy(state, initialHash, sizeof(state));
    pendingLength = 0;
    totalLength = 0;
}

void Sha256::CompressBlock(const unsigned char* block) {
    uint32_t schedule[64];
    for (int t = 0; t < 16; ++t) {
        schedule[t] = LoadBigEndian32(block + 4 * t);
    }
    for (int t = 16; t < 64; ++t) {
        const uint32_t s0 = RotateRight(schedule[t - 15], 7) ^ RotateRight(schedule[t - 15], 18) ^
                            (schedule[t - 15] >> 3);
        const uint32_t s1 = RotateRight(schedule[t - 2], 17) ^ RotateRight(schedule[t - 2], 19) ^
                            (schedule[t - 2] >> 10);
        schedule[t] = schedule[t - 16] + s0 + schedule[t - 7] + s1;
    }

    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
    for (int t = 0; t < 64; ++t) {
        const uint32_t sum1 = RotateRight(e, 6) ^ RotateRight(e, 11) ^ RotateRight(e, 25);
        const uint32_t choose = (e & f) ^ (~e & g);
        const uint32_t temp1 = h + sum1 + choose + roundConstants[t] + schedule[t];
        const uint32_t sum0 = RotateRight(a, 2) ^ RotateRight(a, 13) ^ RotateRight(a, 22);
        const uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
        const uint32_t temp2 = sum0 + majority;
        h = g;
        g = f;
        f = e;
        e = d + temp1;
        d = c;
        c = b;
        b = a;
        a = temp1 + temp2;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
    state[5] += f;
    state[6] += g;
    state[7] += h;
}

void Sha256::Update(const unsigned char* data, size_t length) {
    totalLength += length;
    while (length > 0) {
        const size_t take = std::min(length, blockSize - pendingLength);
        std::memcpy(pending + pendingLength, data, take);
        pendingLength += take;
        data += take;
        length -= take;
        if (pendingLength == blockSize) {
            CompressBlock(pending);
            pendingLength = 0;
        }
    }
}

void Sha256::Finish(unsigned char* digest32) {
    const uint64_t bitLength = totalLength * 8;
    // 80, then zeros until 8 bytes remain in a block, then the bit length big-endian
    const unsigned char marker = 0x80;
    Update(&marker, 1);
    const unsigned char zeros[blockSize] = {};
    const size_t zeroCount = (blockSize + blockSize - lengthFieldSize - pendingLength) % blockSize;
    Update(zeros, zeroCount);
    unsigned char lengthField[lengthFieldSize];
    StoreBigEndian64(bitLength, lengthField);
    Update(lengthField, lengthFieldSize);

    for (int i = 0; i < 8; ++i) {
        StoreBigEndian32(state[i], digest32 + 4 * i);
    }
    Reset();
}

void Sha256Digest(const unsigned char* message, size_t length, unsigned char* digest32) {
    Sha256 hash;
    hash.Update(message, length);
    hash.Finish(digest32);
}
