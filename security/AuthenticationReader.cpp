// see Authentication.h
#include "security/Authentication.h"

#include "security/AuthenticationFrame.h"
#include "security/Bytes.h"

#include <cstring>

namespace {
constexpr int step2PlainLength = hostReservedLength + readerChallengeLength + readerRandomLength;
} // namespace

bool CheckAuthStep1Request(const unsigned char* request, int requestLength) {
    return HasAuthRequestHeader(request, requestLength, authStep1RequestLength, 1);
}

void BuildAuthStep1Response(SealKeys keys, const unsigned char* readerChallenge,
                            unsigned char* response) {
    response[0] = readerSuccessCode;
    SealBlocks(readerChallenge, readerChallengeLength / 8, keys,
               response + authResponseHeaderLength);
}

bool CheckAuthStep2Request(const unsigned char* request, int requestLength, SealKeys keys,
                           const unsigned char* readerChallenge, unsigned char* hostReserved,
                           unsigned char* hostRandom) {
    if (!HasAuthRequestHeader(request, requestLength, authStep2RequestLength, 2)) {
        return false;
    }
    unsigned char plain[step2PlainLength];
    if (!OpenSealedBlocks(request + authRequestHeaderLength, step2PlainLength / 8, keys, plain)) {
        return false;
    }
    if (!BytesEqual(plain + hostReservedLength, readerChallenge, readerChallengeLength)) {
        return false;
    }
    std::memcpy(hostReserved, plain, hostReservedLength);
    std::memcpy(hostRandom, plain + hostReservedLength + readerChallengeLength, hostRandomLength);
    return true;
}

void BuildAuthStep2Response(SealKeys keys, const unsigned char* hostReserved,
                            const unsigned char* readerChallenge, const unsigned char* readerRandom,
                            unsigned char* response) {
    unsigned char plain[step2PlainLength];
    std::memcpy(plain, hostReserved, hostReservedLength);
    std::memcpy(plain + hostReservedLength, readerChallenge, readerChallengeLength);
    std::memcpy(plain + hostReservedLength + readerChallengeLength, readerRandom,
                readerRandomLength);
    response[0] = readerSuccessCode;
    SealBlocks(plain, step2PlainLength / 8, keys, response + authResponseHeaderLength);
}

bool CheckAuthStep3Request(const unsigned char* request, int requestLength, SealKeys keys,
                           unsigned char* derivedKeyPair) {
    if (!HasAuthRequestHeader(request, requestLength, authStep3RequestLength, 3)) {
        return false;
    }
    return OpenSealedBlocks(request + authRequestHeaderLength, derivedKeyPairLength / 8, keys,
                            derivedKeyPair);
}

void BuildAuthStep3Response(unsigned char* response) {
    response[0] = readerSuccessCode;
    response[1] = authStep3Accepted;
}
