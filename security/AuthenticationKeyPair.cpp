// see Authentication.h
#include "security/Authentication.h"

#include "security/Bytes.h"
#include "security/CounterKey.h"

namespace {
constexpr uint32_t firstKeyCounter = 1;
constexpr uint32_t secondKeyCounter = 2;
} // namespace

void ComputeSharedSecret(const unsigned char* hostRandom, const unsigned char* readerRandom,
                         unsigned char* sharedSecret) {
    XorBytes(sharedSecret, hostRandom, readerRandom, sharedSecretLength);
}

void DeriveKeyPair(const unsigned char* sharedSecret, unsigned char* derivedKeyPair) {
    DeriveCounterKey(sharedSecret, firstKeyCounter, derivedKeyPair);
    DeriveCounterKey(sharedSecret, secondKeyCounter, derivedKeyPair + tripleDesKeyLength);
}
