#pragma once

#include <cstdint>

#include "framework/Object.h"

// SHA-1 (FIPS 180-4). One object serves one digest: construct it, feed the input
// through Update, call Finish once, then discard it. It lives on the stack and never
// allocates.
class CSHA1 : public CObject {
public:
    static constexpr int digestLength = 20;

    CSHA1();

    void Update(const unsigned char* data, uint32_t length);
    void Finish(unsigned char digest[digestLength]);

private:
    static constexpr uint32_t blockLength = 64;

    void ProcessBlock(const unsigned char block[blockLength]);

    // Bytes fed so far: the low word wraps into the high word, so inputs beyond 4 GiB
    // still give the right bit count in the padding.
    uint32_t countLow;
    uint32_t countHigh;
    uint32_t state[5];
    unsigned char buffer[blockLength];
};
