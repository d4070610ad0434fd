#pragma once

#include "framework/Object.h"

// The DES block operation and its triple-DES forms. Keys are raw bytes handed over on
// every call: nothing is cached, so the class keeps no state of its own.
class CEncipher : public CObject {
public:
    ~CEncipher() override {}

    // One 8-byte block under one 8-byte key. The low 8 bits of mode equal to 1 encipher,
    // anything else deciphers. output may be input: the whole block is read first.
    static void DesCrypt(unsigned char* output, const unsigned char* input, int mode,
                         const unsigned char* key);

    // Encrypt-decrypt-encrypt under K1 = key24[0..7], K2 = key24[8..15], K3 = key24[16..23].
    static void TripleDesEncryptBlock(unsigned char* output, const unsigned char* input,
                                      const unsigned char* key24);
    // The inverse: decrypt under K3, encrypt under K2, decrypt under K1.
    static void TripleDesDecryptBlock(unsigned char* output, const unsigned char* input,
                                      const unsigned char* key24);
};
