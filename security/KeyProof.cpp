// see KeyProof.h
#include "security/KeyProof.h"

#include "security/Bytes.h"
#include "security/Encipher.h"
#include "security/Hex.h"

#include <cstring>

void BuildKeyProof(const unsigned char* downloadKey, unsigned char* proof) {
    unsigned char proofKey[24];
    std::memcpy(proofKey, downloadKey, 16);
    std::memcpy(proofKey + 16, downloadKey, 8);

    unsigned char plain[keyProofLength];
    HexToBytes(keyProofPlaintext, plain);
    CEncipher::TripleDesEncryptBlock(proof, plain, proofKey);
    CEncipher::TripleDesEncryptBlock(proof + 8, plain + 8, proofKey);
}

bool CheckKeyProof(const unsigned char* downloadKey, const unsigned char* proof) {
    unsigned char expected[keyProofLength];
    BuildKeyProof(downloadKey, expected);
    return BytesEqual(expected, proof, keyProofLength);
}
