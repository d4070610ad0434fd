// see Seal.h
#include "security/Seal.h"

#include "security/Bytes.h"
#include "security/CbcMac.h"
#include "security/Encipher.h"

void SealBlocks(const unsigned char* plain, int blockCount, SealKeys keys, unsigned char* sealed) {
    for (int block = 0; block < blockCount; ++block) {
        CEncipher::TripleDesEncryptBlock(sealed + 8 * block, plain + 8 * block, keys.cipherKey);
    }
    TripleDesMac(sealed, 8 * blockCount, keys.macKey, sealed + 8 * blockCount);
}

bool OpenSealedBlocks(const unsigned char* sealed, int blockCount, SealKeys keys,
                      unsigned char* plain) {
    unsigned char mac[sealMacLength];
    TripleDesMac(sealed, 8 * blockCount, keys.macKey, mac);
    if (!BytesEqual(mac, sealed + 8 * blockCount, sealMacLength)) {
        return false;
    }
    for (int block = 0; block < blockCount; ++block) {
        CEncipher::TripleDesDecryptBlock(plain + 8 * block, sealed + 8 * block, keys.cipherKey);
    }
    return true;
}
