// see DownloadKey.h
#include "security/DownloadKey.h"

#include "security/Bytes.h"
#include "security/Cbc.h"
#include "security/CounterKey.h"
#include "security/Encipher.h"
#include "security/Hex.h"
#include "security/Sha256.h"

#include <cstring>
#include <exception>
#include <random>

namespace {
constexpr int halfLength = downloadKeyLength / 2;
constexpr uint32_t cipherKeyCounter = 1;
constexpr uint32_t macKeyCounter = 2;

std::string WrapHalf(const unsigned char* keyHalf, const CFunction& function) {
    unsigned char block[halfLength];
    XorBytes(block, keyHalf, function.initVector, halfLength);
    CEncipher::TripleDesEncryptBlock(block, block, function.tripleKey);
    return BytesToHex(block, halfLength);
}
} // namespace

bool UnwrapDownloadKey(const std::string& half1, const std::string& half2,
                       const CFunction& function, unsigned char* downloadKey) {
    if (!IsHexText(half1, wrappedHalfTextLength) || !IsHexText(half2, wrappedHalfTextLength)) {
        return false;
    }
    unsigned char key[downloadKeyLength];
    HexToBytes(half1, key);
    HexToBytes(half2, key + halfLength);
    // no chaining from the first half to the second: each uses the same initVector
    CbcDecryptBlock(function.initVector, key, key, function.tripleKey);
    CbcDecryptBlock(function.initVector, key + halfLength, key + halfLength, function.tripleKey);
    std::memcpy(downloadKey, key, downloadKeyLength);
    return true;
}

void BuildDownloadKey(const CFunction& function, unsigned char* downloadKey) {
    // the built-in halves are well formed, so this cannot be refused
    UnwrapDownloadKey(wrappedKeyHalf1, wrappedKeyHalf2, function, downloadKey);
}

void WrapDownloadKey(const unsigned char* downloadKey, const CFunction& function,
                     std::string& half1, std::string& half2) {
    half1 = WrapHalf(downloadKey, function);
    half2 = WrapHalf(downloadKey + halfLength, function);
}

bool DrawHostValues(unsigned char* hostReserved, unsigned char* hostRandom) {
    unsigned char drawn[hostRandomLength];
    try {
        std::random_device source;
        std::uniform_int_distribution<int> byteValue(0, 255);
        for (unsigned char& byte : drawn) {
            byte = static_cast<unsigned char>(byteValue(source));
        }
    } catch (const std::exception&) {
        return false;
    }
    std::memset(hostReserved, 0, hostReservedLength);
    std::memcpy(hostRandom, drawn, hostRandomLength);
    return true;
}

void DeriveAuthenticationKeys(const unsigned char* downloadKey, unsigned char* authCipherKey,
                              unsigned char* authMacKey) {
    unsigned char digest[32];
    Sha256Digest(downloadKey, downloadKeyLength, digest);
    DeriveCounterKey(digest, cipherKeyCounter, authCipherKey);
    DeriveCounterKey(digest + counterKeySecretLength, macKeyCounter, authMacKey);
}
