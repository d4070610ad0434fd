#pragma once

#include <cstddef>
#include <cstdint>

// SHA-256 as in FIPS 180-4, fed in pieces of any size.
class Sha256 {
public:
    Sha256();
    void Update(const unsigned char* data, size_t length);
    // Writes the 32-byte digest; the object then starts over as a fresh hash.
    void Finish(unsigned char* digest32);

private:
    void Reset();
    void CompressBlock(const unsigned char* block);

    uint32_t state[8];
    unsigned char pending[64];
    size_t pendingLength;
    uint64_t totalLength;
};

void Sha256Digest(const unsigned char* message, size_t length, unsigned char* digest32);
