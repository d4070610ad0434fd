// see Authentication.h
#include "security/Authentication.h"

#include "security/AuthenticationFrame.h"
#include "security/Bytes.h"

#include <cstring>

namespace {
constexpr int step2PlainLength = hostReservedLength + readerChallengeLength + hostRandomLength;
} // namespace

void BuildAuthStep1Request(unsigned char* request) {
    WriteAuthRequestHeader(1, request);
}

bool CheckAuthStep1Response(const unsigned char* response, int responseLength, SealKeys keys,
                            unsigned char* readerChallenge) {
    if (responseLength < authStep1ResponseLength) {
        return false;
    }
    return OpenSealedBlocks(response + authResponseHeaderLength, readerChallengeLength / 8, keys,
                            readerChallenge);
}

void BuildAuthStep2Request(SealKeys keys, const unsigned char* hostReserved,
                           const unsigned char* readerChallenge, const unsigned char* hostRandom,
                           unsigned char* request) {
    unsigned char plain[step2PlainLength];
    std::memcpy(plain, hostReserved, hostReservedLength);
    std::memcpy(plain + hostReservedLength, readerChallenge, readerChallengeLength);
    std::memcpy(plain + hostReservedLength + readerChallengeLength, hostRandom, hostRandomLength);
    WriteAuthRequestHeader(2, request);
    SealBlocks(plain, step2PlainLength / 8, keys, request + authRequestHeaderLength);
}

bool CheckAuthStep2Response(const unsigned char* response, int responseLength, SealKeys keys,
                            const unsigned char* hostReserved, const unsigned char* readerChallenge,
                            unsigned char* readerRandom) {
    if (responseLength < authStep2ResponseLength) {
        return false;
    }
    unsigned char plain[step2PlainLength];
    if (!OpenSealedBlocks(response + authResponseHeaderLength, step2PlainLength / 8, keys, plain)) {
        return false;
    }
    if (!BytesEqual(plain, hostReserved, hostReservedLength) ||
        !BytesEqual(plain + hostReservedLength, readerChallenge, readerChallengeLength)) {
        return false;
    }
    std::memcpy(readerRandom, plain + hostReservedLength + readerChallengeLength,
                readerRandomLength);
    return true;
}

void BuildAuthStep3Request(SealKeys keys, const unsigned char* derivedKeyPair,
                           unsigned char* request) {
    WriteAuthRequestHeader(3, request);
    SealBlocks(derivedKeyPair, derivedKeyPairLength / 8, keys, request + authRequestHeaderLength);
}

bool CheckAuthStep3Response(const unsigned char* response, int responseLength) {
    return responseLength >= authStep3ResponseLength && response[1] == authStep3Accepted;
}
