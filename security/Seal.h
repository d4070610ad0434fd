#pragma once

// The protection of every authentication payload, the same on host and reader: whole
// 8-byte blocks enciphered one by one (ECB) under the cipher key, followed by the 8-byte
// TripleDesMac of the enciphered bytes under the MAC key.

struct SealKeys {
    const unsigned char* cipherKey; // 24 bytes
    const unsigned char* macKey;    // 24 bytes
};

constexpr int sealMacLength = 8;

// Writes blockCount * 8 enciphered bytes and then the MAC. sealed may be plain.
void SealBlocks(const unsigned char* plain, int blockCount, SealKeys keys, unsigned char* sealed);

// Checks the MAC that follows blockCount * 8 enciphered bytes before deciphering
// anything; on a mismatch returns false and writes nothing. plain may be sealed.
bool OpenSealedBlocks(const unsigned char* sealed, int blockCount, SealKeys keys,
                      unsigned char* plain);
